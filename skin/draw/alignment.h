// Where a line of text (or an icon and its text) sits across the rectangle it is drawn in. A type of its
// own, so an alignment cannot be taken for a frame number or for another routine's numbering.
#pragma once

namespace skin {

enum class TextAlignment { Left, Centre, Right };

} // namespace skin
