#include "shell/XAppDocumentServices.h"

#include "scene/GroupSO.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"

int XAppDocumentServices::GetInteractiveMode() const { return app_.GetInteractiveMode(); }
BOOL XAppDocumentServices::GetShowGround() const { return app_.GetShowGround(); }
Ptr<MeshSO> XAppDocumentServices::GetGroundMesh() { return app_.GetGroundMesh(); }
Ptr<MeshSO> XAppDocumentServices::GetCylinderMesh() { return app_.GetCylinderMesh(); }
XList<Ptr<GroupSO>>& XAppDocumentServices::GetObjectList() { return app_.objectClipboard; }
void XAppDocumentServices::RefreshDocumentTitles() { app_.RefreshDocumentTitles(); }
