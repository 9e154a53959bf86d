// The plot part of Mohr's picture: axes, circles and their marks.
#ifndef VERGLEICHSSPANNUNG_PICTURE_MOHR_PLOT_H_
#define VERGLEICHSSPANNUNG_PICTURE_MOHR_PLOT_H_

#include <string>

#include "picture/mohr_frame.h"
#include "picture/mohr_picture.h"

namespace vergleichsspannung {

// Colours the circles are drawn in; a reader of the picture (or a test of its
// pixels) tells them apart by these. The largest circle is drawn last.
constexpr const char* kLargestCircleColour = "#1f4e9c";
constexpr const char* kUpperCircleColour = "#2a9d3a";  // middle to largest stress
constexpr const char* kLowerCircleColour = "#e08a1e";  // smallest to middle stress
constexpr const char* kFacePointColour = "#b0207a";

// Returns true when the picture's stresses can be drawn: all finite, and all
// zero or of magnitudes from 1e-280 to 1e280 N/mm².
bool IsDrawable(const MohrPicture& picture);

// Appends to *svg the axes, ticks, circles, marks and their labels of
// `picture` inside `box`; labels stay within `page` (the whole picture but the
// side panel). A hydrostatic state is drawn as one point with a note.
// REQUIRES: IsDrawable(picture).
void AppendMohrPlot(std::string* svg, const MohrPicture& picture, const Box& box, const Box& page);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_PICTURE_MOHR_PLOT_H_
