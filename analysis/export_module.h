#pragma once

// Qt SVG and Qt Print Support live in a module of their own, loaded at the first SVG image or
// print preview: linked into the program, the two libraries lengthened every start by about a
// millisecond of dynamic linking (bench/STARTUP.md), for features used now and then.

#include "calibration/message.h"

#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace analysis {

// An SVG drawing: its size in pixels, the user coordinates it is painted in, its resolution,
// title and description.
struct SvgFigure {
    QSize size;
    QRectF viewBox;
    int dpi = 96;
    QString title;
    QString description;
};

// What the module offers. The program and the module are built together, so C++ types cross.
struct ExportModule {
    // Writes the SVG of what `paint` draws to the open device.
    void (*writeSvg)(QIODevice& device, const SvgFigure& figure,
                     const std::function<void(QPainter&)>& paint);
    // The print preview of A4 pages painted by `paint`, with its print dialog; returns when the
    // preview is closed.
    void (*printPreview)(QWidget* parent, const std::function<void(QPagedPaintDevice&)>& paint);
};

// The module, loaded at the first call and kept; nullptr when it cannot be loaded, with the
// reason in `whyNot`.
const ExportModule* exportModule(calibration::Message* whyNot);

} // namespace analysis
