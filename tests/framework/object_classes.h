// CShape, CCircle, CSquare, CShapePair, CMainDoc and CMainDoc::_TAGS: a small class hierarchy for the run-time class and archive tests.
#pragma once

#include "framework/core.h"

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
public:
    int m_radius = 7;
};

class CSquare : public CShape {
    DECLARE_SERIAL(CSquare)
public:
    void Serialize(CArchive& ar) override;
    int m_side = 0;
};

// Two shapes through pointers, which may be one shape (as two controls share one popup); owns what it loads.
class CShapePair : public CObject {
    DECLARE_SERIAL(CShapePair)
public:
    ~CShapePair() override;
    void Serialize(CArchive& ar) override;
    CShape* m_pFirst = nullptr;
    CShape* m_pSecond = nullptr;
    bool m_bOwns = false;
};

// A document with a nested serializable class, as the domain code has.
class CMainDoc : public CObject {
    DECLARE_DYNCREATE(CMainDoc)
public:
    class _TAGS : public CObject {
        DECLARE_SERIAL(_TAGS)
    public:
        CString m_name;
    };
};
