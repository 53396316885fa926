#pragma once

// The fluorescence standards of a published teaching example and the statistics of their line,
// the formulas evaluated in exact rational arithmetic (t(0.975; 5) from the closed form of the t
// distribution with five degrees of freedom). Keys as the copied report names them.

#include <QString>
#include <QStringList>
#include <map>

namespace test {

inline const QStringList kFluorescenceC{u"0"_qs, u"2"_qs, u"4"_qs, u"6"_qs,
                                        u"8"_qs, u"10"_qs, u"12"_qs};
inline const QStringList kFluorescenceA{u"2.1"_qs,  u"5.0"_qs,  u"9.0"_qs, u"12.6"_qs,
                                        u"17.3"_qs, u"21.0"_qs, u"24.7"_qs};

inline const std::map<QString, double> kFluorescenceStatistics{
    {u"n"_qs, 7},
    {u"a"_qs, 1.5178571428571428571},
    {u"b"_qs, 1.9303571428571428571},
    {u"s_a"_qs, 0.29493600135954780329},
    {u"s_b"_qs, 0.040900264457006402399},
    {u"ci95_a"_qs, 0.75815712777006080},
    {u"ci95_b"_qs, 0.10513747688590222},
    {u"r"_qs, 0.99887956534851986249},
    {u"r2"_qs, 0.99776038607084796240},
    {u"s_yx"_qs, 0.43284771324005265806},
    {u"lod"_qs, 0.73996537841592720824},
    {u"loq"_qs, 2.2423193285331127522},
};

} // namespace test
