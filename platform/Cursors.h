#pragma once
// Mouse cursors a control shows while the pointer is over it.

enum class TCursor {
    crDefault, // the parent's, which is the arrow at the top
    crArrow,
    crIBeam,
    crHandPoint,
    crHourGlass,
    crCross,
    crSizeWE,
    crSizeNS,
    crDrag,
    crNo,
};
