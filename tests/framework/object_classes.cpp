#include "object_classes.h"

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CCircle, CShape)
IMPLEMENT_SERIAL(CSquare, CShape, 2)
IMPLEMENT_SERIAL(CShapePair, CObject, 3)
IMPLEMENT_DYNCREATE(CMainDoc, CObject)
IMPLEMENT_SERIAL(CMainDoc::_TAGS, CObject, 1)

void CSquare::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_side;
    else
        ar >> m_side;
}

CShapePair::~CShapePair()
{
    if (m_bOwns) {
        delete m_pFirst;
        if (m_pSecond != m_pFirst)
            delete m_pSecond;
    }
}

void CShapePair::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteObject(m_pFirst);
        ar.WriteObject(m_pSecond);
        return;
    }
    m_bOwns = true;
    m_pFirst = static_cast<CShape*>(ar.ReadObject(RUNTIME_CLASS(CShape)));
    m_pSecond = static_cast<CShape*>(ar.ReadObject(RUNTIME_CLASS(CShape)));
}
