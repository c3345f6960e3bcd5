#include "analysis/ShownCurves.h"

std::vector<CurveId> PageCurves(Page page) {
    switch (page) {
    case Page::TabAccelo:
        return {{Chart1, 0}, {Chart1, 1}, {Chart1, 2}, {Chart1, 3}};
    case Page::TabAngle:
        return {{Chart3, 0}};
    case Page::TabPendulum:
        return {{Chart1, 0}};
    case Page::TabSpeed:
        return {{Chart1, 0}, {Chart2, 0}};
    case Page::TabLab:
        break;
    }
    return {};
}

std::string CurveTitle(Page page, CurveId curve, bool inMs2, char pendulumAxis) {
    const std::string unit = inMs2 ? " [m/s²]" : " [g]";
    if (curve.Chart == Chart2) return "속도 [m/s]";
    if (curve.Chart == Chart3) return "기울기 [°]";
    if (page == Page::TabPendulum) return std::string(1, pendulumAxis) + "축 가속도" + unit;
    static const char* const axes[] = {"X", "Y", "Z"};
    if (curve.Series == 3) return inMs2 ? "힘 [N]" : "힘 [kgf]";
    return std::string(axes[curve.Series % 3]) + " 가속도" + unit;
}

bool IsVelocity(const ShownCurve& curve) {
    return curve.Chart == Chart2;
}
