// The process-wide lists of shapes: every live shape object (for
// ShowAllShapes) and the registered modeless ones (for TranslateShapeMessage
// and CloseAllShapes). The lists never own the shapes; a shape leaves both
// when it is destroyed.
#pragma once

class TShape;

void RegisterLiveShape(TShape* shape);
void RegisterModelessShape(TShape* shape);
void UnregisterShape(TShape* shape);
