#pragma once

// The uncertainty options' texts, translated in the context "UncertaintyTexts".

#include <QCoreApplication>

namespace app {

struct UncertaintyTexts {
    Q_DECLARE_TR_FUNCTIONS(UncertaintyTexts)
};

} // namespace app
