#pragma once
// Internal: the max-min angle test of swapTest on the four nodes'
// coordinates, inline for the swap loops of the builds.

// For the quadrilateral with diagonal io1-io2, in1 on one side and in2 on
// the other: true when the angles at in1 and in2 add up to more than 180
// degrees. Four nodes on one circle: false.
inline bool swapTestAt(double xin1, double yin1, double xin2, double yin2, double xio1, double yio1,
                       double xio2, double yio2) {
    const double dx11 = xio1 - xin1, dy11 = yio1 - yin1;
    const double dx12 = xio2 - xin1, dy12 = yio2 - yin1;
    const double dx22 = xio2 - xin2, dy22 = yio2 - yin2;
    const double dx21 = xio1 - xin2, dy21 = yio1 - yin2;
    // Proportional to the cosines of the angles at in1 and in2.
    const double cos1 = dx11 * dx12 + dy11 * dy12;
    const double cos2 = dx22 * dx21 + dy22 * dy21;
    if (cos1 >= 0 && cos2 >= 0)
        return false;
    if (cos1 < 0 && cos2 < 0)
        return true;
    // Proportional to the sine of the sum of the two angles; zero (four
    // nodes on one circle) keeps the existing diagonal.
    const double sin1 = dx11 * dy12 - dx12 * dy11;
    const double sin2 = dx22 * dy21 - dx21 * dy22;
    const double sin12 = sin1 * cos2 + cos1 * sin2;
    return sin12 < 0;
}
