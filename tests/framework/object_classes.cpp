#include "object_classes.h"

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CCircle, CShape)
IMPLEMENT_SERIAL(CSquare, CShape, 2)
IMPLEMENT_DYNCREATE(CMainDoc, CObject)
IMPLEMENT_SERIAL(CMainDoc::_TAGS, CObject, 1)

void CSquare::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_side;
    else
        ar >> m_side;
}
