#include "TestDocument.h"

IMPLEMENT_DYNAMIC(XDocument, CObject)

GroupSO* XDocument::GetScene() const { return static_cast<const TestDocument*>(this)->root; }
