#include "stress/elementary.h"

#include <cassert>
#include <cmath>

#include "stress/ieee_double.h"

namespace vergleichsspannung {

namespace {

// pi and pi/2 as the nearest double and the double nearest to the rest.
constexpr double kPiHigh = 0x1.921fb54442d18p+1;
constexpr double kPiLow = 0x1.1a62633145c07p-53;
constexpr double kHalfPiHigh = 0x1.921fb54442d18p+0;
constexpr double kHalfPiLow = 0x1.1a62633145c07p-54;

// asin(s) = s + s z R(z) with z = s^2 <= 1/4: R's coefficients, lowest power
// first, fitted to 2^-54 of R (tools/elementary-constants prints them).
constexpr double kArcSineRemainder[14] = {
    0x1.5555555555555p-3,  0x1.3333333333388p-4, 0x1.6db6db6dac1e0p-5, 0x1.f1c71c7a52ba3p-6,
    0x1.6e8ba123e494cp-6,  0x1.1c4efce23019fp-6, 0x1.c990ad3d8fdcap-7, 0x1.7b027ee1dd585p-7,
    0x1.3b49de7121487p-7,  0x1.31622469ce5adp-7, 0x1.8f193743418ffp-9, 0x1.406192d124629p-6,
    -0x1.3b416bb7d9257p-6, 0x1.e529c6fce9bb4p-6,
};

// Returns R(z) in Estrin's order: seven short chains side by side, where
// Horner's order would wait for each step in turn.
double ArcSineRemainder(double z) {
  const double* c = kArcSineRemainder;
  const double z2 = z * z, z4 = z2 * z2, z8 = z4 * z4;
  const double low =
      (c[0] + c[1] * z + (c[2] + c[3] * z) * z2) + (c[4] + c[5] * z + (c[6] + c[7] * z) * z2) * z4;
  const double high = (c[8] + c[9] * z + (c[10] + c[11] * z) * z2) + (c[12] + c[13] * z) * z4;
  return low + high * z8;
}

// acos(x) = base + factor * asin(s) for the four ranges of x: pi/2 -+ asin|x|
// for |x| <= 1/2, and from s = sqrt((1 - |x|) / 2) <= 1/2 beyond. The offset,
// what base misses of pi/2 or pi, joins asin(s)'s small part first, so that
// it is not lost to rounding.
struct ArcCosineRange {
  double base;
  double factor;
  double offset;
};
constexpr ArcCosineRange kRanges[4] = {
    {kHalfPiHigh, -1, -kHalfPiLow},  // 0 <= x <= 1/2
    {kHalfPiHigh, 1, kHalfPiLow},    // -1/2 <= x < 0
    {0, 2, 0},                       // x > 1/2
    {kPiHigh, -2, -kPiLow / 2},      // x < -1/2
};

// A table of angles spaced 1/32 apart, with their cosines and sines to twice
// the digits of a double; the angle nearest to the one asked for leaves a
// remainder d, |d| <= 1/64 (3/64 about 0), exactly, whose cosine and sine take
// four terms of their series.
struct TableAngle {
  double angle;
  double cos_high, cos_low;
  double sin_high, sin_low;
};
constexpr int kTableAngles = 35;
constexpr TableAngle kTable[kTableAngles] = {
    {0x0.0p+0, 0x1.0000000000000p+0, 0x0.0p+0, 0x0.0p+0, 0x0.0p+0},
    {0x0.0p+0, 0x1.0000000000000p+0, 0x0.0p+0, 0x0.0p+0, 0x0.0p+0},
    {0x1.0000000000000p-4, 0x1.ff0015549f4d3p-1, 0x1.328387b99426fp-55, 0x1.ffaaaeeed4edbp-5,
     -0x1.2d16d32684b69p-59},
    {0x1.8000000000000p-4, 0x1.fdc06bf7e6b9bp-1, 0x1.31902b535f8dbp-55, 0x1.7f701032550e4p-4,
     0x1.afc2d1800501ap-60},
    {0x1.0000000000000p-3, 0x1.fc015527d5bd3p-1, 0x1.b68f35094efb8p-55, 0x1.feaaeee86ee36p-4,
     -0x1.afcb2bcc6f03bp-59},
    {0x1.4000000000000p-3, 0x1.f9c340a7cc428p-1, 0x1.c5b6b063b7462p-55, 0x1.3eb312c5d66cbp-3,
     0x1.47d666b66cb91p-57},
    {0x1.8000000000000p-3, 0x1.f706bdf9ece1cp-1, -0x1.698c80c36dcb4p-55, 0x1.7dc102fbaf2b5p-3,
     0x1.5ab50e23c97c3p-59},
    {0x1.c000000000000p-3, 0x1.f3cc7c3b3d16ep-1, -0x1.21a3ad28a3494p-57, 0x1.bc6f84edc6199p-3,
     0x1.9c1a56a7b0cabp-57},
    {0x1.0000000000000p-2, 0x1.f01549f7deea1p-1, 0x1.d3c1e99e5cafdp-55, 0x1.faaeed4f31577p-3,
     -0x1.15d88508e32b8p-57},
    {0x1.2000000000000p-2, 0x1.ebe214f76efa8p-1, -0x1.02f9f12ba543ep-55, 0x1.1c37d64c6b876p-2,
     0x1.46076fe0dcff4p-56},
    {0x1.4000000000000p-2, 0x1.e733ea0193d40p-1, -0x1.6428b3546ce13p-55, 0x1.3ad129769d3d8p-2,
     0x1.03d550487839ap-63},
    {0x1.6000000000000p-2, 0x1.e20bf49acd6c1p-1, -0x1.660aec7ef636bp-58, 0x1.591bc9fa2f597p-2,
     0x1.7c74bac3fe0cbp-57},
    {0x1.8000000000000p-2, 0x1.dc6b7eb995912p-1, 0x1.4b364776dcd35p-58, 0x1.7710255764214p-2,
     -0x1.6ead7314bb6cep-57},
    {0x1.a000000000000p-2, 0x1.d653f073e4040p-1, -0x1.76236434bec37p-55, 0x1.94a6be9f546c5p-2,
     -0x1.69ce13e683f58p-56},
    {0x1.c000000000000p-2, 0x1.cfc6cfa52ad9fp-1, 0x1.8b5b5508f2a0dp-55, 0x1.b1d8305321617p-2,
     -0x1.ae242cb99f519p-56},
    {0x1.e000000000000p-2, 0x1.c8c5bf8ce1a84p-1, 0x1.ab3d1a1590123p-56, 0x1.ce9d2e3d4a51fp-2,
     -0x1.2fc8a12dae298p-57},
    {0x1.0000000000000p-1, 0x1.c1528065b7d50p-1, -0x1.892111312e828p-55, 0x1.eaee8744b05f0p-2,
     -0x1.789b43c9b027dp-58},
    {0x1.1000000000000p-1, 0x1.b96eeef58840ep-1, 0x1.45a3cc78fade0p-58, 0x1.0362939c69955p-1,
     -0x1.2d8cd78397b01p-55},
    {0x1.2000000000000p-1, 0x1.b11d04162a4c6p-1, 0x1.1dd561efbc0c2p-56, 0x1.110d0c4b69c3bp-1,
     0x1.d918998809981p-55},
    {0x1.3000000000000p-1, 0x1.a85ed4373e02dp-1, 0x1.9be06385ec792p-57, 0x1.1e7343236574cp-1,
     0x1.22a3fa4f41d5ap-56},
    {0x1.4000000000000p-1, 0x1.9f368ed912f85p-1, -0x1.1d200c5791606p-55, 0x1.2b91dea88421ep-1,
     -0x1.fa371db216ab0p-55},
    {0x1.5000000000000p-1, 0x1.95a67e00cb1fdp-1, -0x1.0befda21f862dp-55, 0x1.386597456282bp-1,
     -0x1.10fada93b07a8p-56},
    {0x1.6000000000000p-1, 0x1.8bb105a5dc900p-1, 0x1.863e03e9474c1p-55, 0x1.44eb381cf386bp-1,
     -0x1.3ed6c1e6a5505p-55},
    {0x1.7000000000000p-1, 0x1.8158a31916d5dp-1, -0x1.de8b90b8228dep-57, 0x1.511f9fd7b351cp-1,
     -0x1.5c0e861c48831p-55},
    {0x1.8000000000000p-1, 0x1.769fec655211fp-1, -0x1.827d5cf8c68c5p-57, 0x1.5cffc16bf8f0dp-1,
     0x1.96cb370eb578ap-55},
    {0x1.9000000000000p-1, 0x1.6b898fa9efb5dp-1, 0x1.15ac786ccf4b2p-56, 0x1.6888a4e134b2fp-1,
     -0x1.6b7d37644d5e6p-55},
    {0x1.a000000000000p-1, 0x1.6018526f563dfp-1, 0x1.46ca5e0e432d0p-55, 0x1.73b7680dea578p-1,
     -0x1.2248306dc12a2p-56},
    {0x1.b000000000000p-1, 0x1.544f10f592ca5p-1, -0x1.e7ae8e6c7a62fp-55, 0x1.7e893f5037959p-1,
     0x1.0eefbaa650c4cp-55},
    {0x1.c000000000000p-1, 0x1.4830bd7d4ceb3p-1, 0x1.df77ff20d5448p-55, 0x1.88fb7640b8da2p-1,
     -0x1.49987c11efaa3p-55},
    {0x1.d000000000000p-1, 0x1.3bc05f8b3a656p-1, 0x1.dab7124aa8c6dp-55, 0x1.930b705f9f85ap-1,
     -0x1.09ae60f413f40p-61},
    {0x1.e000000000000p-1, 0x1.2f011326420e4p-1, 0x1.8e30efe9e96c2p-56, 0x1.9cb6a9bbce64bp-1,
     -0x1.4f3e7a32f8d0cp-56},
    {0x1.f000000000000p-1, 0x1.21f608107e37ap-1, -0x1.0a3f22ad63580p-55, 0x1.a5fab793d29c8p-1,
     0x1.7482b1e8e6d85p-55},
    {0x1.0000000000000p+0, 0x1.14a280fb5068cp-1, -0x1.b71edcc9344bcp-55, 0x1.aed548f090ceep-1,
     0x1.06374f484e288p-59},
    {0x1.0800000000000p+0, 0x1.0709d2b6b95eep-1, -0x1.71cc4ee678c32p-55, 0x1.b74427397fca2p-1,
     0x1.da351af253ee4p-55},
    {0x1.1000000000000p+0, 0x1.f25ec6b852fc2p-2, 0x1.445cbca9a80a8p-56, 0x1.bf4536c24bb85p-1,
     0x1.97632053703f0p-55},
};
static_assert((kTableAngles - 0.5) / 32 == kLargestAngle, "the table ends at kLargestAngle");

}  // namespace

double ArcCosine(double x) {
  const double magnitude = x < 0 ? -x : x;
  const bool outer = magnitude > 0.5;
  // asin(s) for s = |x|, or beyond 1/2 for s = sqrt(z), z = (1 - |x|) / 2, where
  // s is split into a high part with an exact square and the rest,
  // (z - high^2) / (s + high): so the rounding of the square root does not
  // reach the result doubled. Both are computed for every x and one is kept:
  // a branch between them would be mispredicted for random stress states.
  const double outer_z = (1 - magnitude) * 0.5;
  const double root = std::sqrt(outer_z);
  const double split = root * 134217729.0;  // 2^27 + 1: the high part keeps 26 bits
  const double root_high = split - (split - root);
  // The least double keeps 0 / 0 away at |x| = 1 and changes no other quotient.
  const double root_rest = (outer_z - root_high * root_high) / (root + root_high + 0x1p-1074);
  // Kept by weights of exactly 1 and 0, which compilers do not turn into a
  // branch; |x| > 1, where a weight of 0 could meet an infinity, gives
  // not-a-number either way.
  const double keep = static_cast<double>(outer), drop = 1 - keep;
  const double z = outer_z * keep + x * x * drop;
  const double s = root * keep + magnitude * drop;
  const double high = root_high * keep + magnitude * drop;
  const double small = s * z * ArcSineRemainder(z) + root_rest * keep;
  const ArcCosineRange& range = kRanges[2 * outer + (x < 0)];
  return range.base + range.factor * (high + (small + range.offset));
}

CosineSine CosineAndSine(double angle) {
  assert(!(angle < 0) && !(angle >= kLargestAngle));
  const double nearest = angle * 32 + 0.5;
  const int index = nearest >= 0 && nearest < kTableAngles ? static_cast<int>(nearest) : 0;
  const TableAngle& a = kTable[index];
  const double d = angle - a.angle;  // exact: d and a.angle are multiples of angle's last place
  const double z = d * d;
  // cos d - 1 and sin d - d; the next terms are below 2^-65 of the result.
  const double cos_rest = z * (-0.5 + z * (1.0 / 24 + z * (-1.0 / 720 + z * (1.0 / 40320))));
  const double sin_rest =
      d * z * (-1.0 / 6 + z * (1.0 / 120 + z * (-1.0 / 5040 + z * (1.0 / 362880))));
  // cos(a + d) = cos a + (-sin a d + cos a (cos d - 1) - sin a (sin d - d)),
  // and sine alike: the table's value first, plus what is small beside it.
  CosineSine result;
  result.cosine = a.cos_high + (-(a.sin_high * d) +
                                ((a.cos_low + a.cos_high * cos_rest) - a.sin_high * sin_rest));
  result.sine =
      a.sin_high + (a.cos_high * d + ((a.sin_low + a.sin_high * cos_rest) + a.cos_high * sin_rest));
  return result;
}

}  // namespace vergleichsspannung
