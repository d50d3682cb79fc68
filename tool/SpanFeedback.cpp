#include "tool/SpanFeedback.h"

void DrawSpanFeedback(CallbackBlock* /*callbacks*/, Handle /*settings*/) {}

void DrawCubeEdges(CallbackBlock* /*callbacks*/, Cube3D /*box*/) {}
