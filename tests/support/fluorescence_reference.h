#pragma once

// The statistics of the line through the fluorescence standards of a published teaching example,
// the formulas evaluated in exact rational arithmetic (t(0.975; 5) from the closed form of the t
// distribution with five degrees of freedom). Keys as the copied report names them.

#include <QString>
#include <map>

namespace test {

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
