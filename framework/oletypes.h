// COleDateTime, COleVariant: a date value and a variant value with their archive forms.
#pragma once

#include "framework/archive.h"

#include <oaidl.h>
#include <windows.h>

// A point in time as the platform's automation date (days since 30 December 1899), with a status.
class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    explicit COleDateTime(DATE dt) : m_dt(dt) {}
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    // The date's fields (year, month ...) or FALSE when it is not a valid date.
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;
    bool operator==(const COleDateTime& other) const { return m_status == other.m_status && m_dt == other.m_dt; }

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;
};

// Archive form: the status (32-bit), then the date (a double).
CArchive& operator<<(CArchive& ar, const COleDateTime& dateSrc);
CArchive& operator>>(CArchive& ar, COleDateTime& dateSrc);

// A VARIANT that owns its value and clears it when it goes.
class COleVariant : public VARIANT {
public:
    COleVariant();
    COleVariant(const COleVariant& other);
    COleVariant(const VARIANT& varSrc);
    COleVariant(LPCSTR lpszSrc);
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(double dblSrc);
    ~COleVariant();
    COleVariant& operator=(const COleVariant& other);

    void Clear();
    bool operator==(const COleVariant& other) const;
};

// Archive form: the type (16 bits), then the value in the type's size; text as its
// byte count (32 bits) and its UTF-16 bytes. The types without a value form (objects,
// arrays, references) throw CArchiveException*(badSchema) both ways.
CArchive& operator<<(CArchive& ar, const COleVariant& varSrc);
CArchive& operator>>(CArchive& ar, COleVariant& varSrc);
