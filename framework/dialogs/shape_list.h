// The process-wide lists of shapes: every live shape object (for
// ShowAllShapes) and the registered modeless ones (for TranslateShapeMessage
// and CloseAllShapes). The lists never own the shapes; a shape leaves both
// when it is destroyed. Used by the user-interface thread only.
#pragma once

#include <vector>

class TShape;

void RegisterLiveShape(TShape* shape);
void RegisterModelessShape(TShape* shape);
void UnregisterShape(TShape* shape);
// The lists themselves, for the shape's walks over them.
std::vector<TShape*>& LiveShapes();
std::vector<TShape*>& ModelessShapes();
