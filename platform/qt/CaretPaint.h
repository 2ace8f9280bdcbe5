#pragma once
// Private to the platform: the host draws a control's system caret over its paint.

class QPainter;
class TCustomControl;

void PaintSystemCaret(const TCustomControl& control, QPainter& painter);
