// CShape, CCircle, CSquare, CMainDoc and CMainDoc::_TAGS: a small class hierarchy for the run-time class tests.
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
