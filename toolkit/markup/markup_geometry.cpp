#include "toolkit/markup/markup_geometry.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_values.h"

#include <cfloat>
#include <climits>
#include <cmath>

// CKitMarkupPathGeometry

CKitMarkupPathGeometry::CKitMarkupPathGeometry() : m_rcBounds{0, 0, 0, 0}, m_nPixelOffsetMode(0) {}

CKitMarkupPathGeometry::CKitMarkupPathGeometry(const std::vector<MARKUP_POINTF>& points,
                                               const std::vector<BYTE>& types)
    : m_points(points), m_types(types), m_rcBounds{0, 0, 0, 0}, m_nPixelOffsetMode(0)
{
    if (m_points.empty())
        return;
    float left = m_points[0].x;
    float top = m_points[0].y;
    float right = left;
    float bottom = top;
    for (const MARKUP_POINTF& point : m_points) {
        left = std::fmin(left, point.x);
        top = std::fmin(top, point.y);
        right = std::fmax(right, point.x);
        bottom = std::fmax(bottom, point.y);
    }
    // Coordinates beyond the integer range keep to its ends.
    auto toLong = [](float value) {
        const double clamped = std::fmax(static_cast<double>(LONG_MIN), std::fmin(value, static_cast<double>(LONG_MAX)));
        return static_cast<LONG>(clamped);
    };
    m_rcBounds = {toLong(std::floor(left)), toLong(std::floor(top)), toLong(std::ceil(right)), toLong(std::ceil(bottom))};
}

// CKitMarkupPathBuilder

void CKitMarkupPathBuilder::Append(float x, float y, BYTE type)
{
    m_points.push_back({x, y});
    m_types.push_back(type);
}

void CKitMarkupPathBuilder::StartFigure(float x, float y)
{
    Append(x, y, CKitMarkupPathGeometry::pointStart);
}

void CKitMarkupPathBuilder::LineTo(float x, float y)
{
    Append(x, y, CKitMarkupPathGeometry::pointLine);
}

void CKitMarkupPathBuilder::BezierTo(MARKUP_POINTF control1, MARKUP_POINTF control2, MARKUP_POINTF end)
{
    Append(control1.x, control1.y, CKitMarkupPathGeometry::pointBezier);
    Append(control2.x, control2.y, CKitMarkupPathGeometry::pointBezier);
    Append(end.x, end.y, CKitMarkupPathGeometry::pointBezier);
}

void CKitMarkupPathBuilder::CurveTo(MARKUP_POINTF c, MARKUP_POINTF end)
{
    BezierTo(c, end, end);
}

void CKitMarkupPathBuilder::CloseFigure()
{
    if (!m_types.empty())
        m_types.back() |= CKitMarkupPathGeometry::pointCloseFigure;
}

CKitMarkupPathGeometry* CKitMarkupPathBuilder::CreateGeometry() const
{
    return new CKitMarkupPathGeometry(m_points, m_types);
}

// Reads path data: single-letter commands, each repeated while numbers follow.
class CKitMarkupPathBuilder::CReader {
public:
    CReader(CKitMarkupPathBuilder& builder, std::wstring_view text) : m_builder(builder), m_text(text) {}

    BOOL Read(int& nErrorPosition)
    {
        const BOOL bRead = ReadAll();
        if (!bRead)
            nErrorPosition = static_cast<int>(m_position);
        return bRead;
    }

private:
    static bool IsSpace(wchar_t ch) { return ch == L'\t' || ch == L'\n' || ch == L'\r' || ch == L' '; }
    static bool IsNumberStart(wchar_t ch) { return ch == L'.' || ch == L'+' || ch == L'-' || (ch >= L'0' && ch <= L'9'); }

    bool AtEnd() const { return m_position >= m_text.size(); }
    wchar_t Peek() const { return AtEnd() ? L'\0' : m_text[m_position]; }
    void SkipSpaces()
    {
        while (!AtEnd() && IsSpace(m_text[m_position]))
            ++m_position;
    }

    // A number: optional sign, digits, optionally a point and more digits.
    bool ReadNumber(float& value)
    {
        SkipSpaces();
        if (!IsNumberStart(Peek()))
            return false;
        bool negative = false;
        if (Peek() == L'+' || Peek() == L'-') {
            negative = Peek() == L'-';
            ++m_position;
        }
        double number = 0.0;
        bool hasDigits = false;
        for (; Peek() >= L'0' && Peek() <= L'9'; ++m_position, hasDigits = true)
            number = number * 10.0 + (Peek() - L'0');
        if (Peek() == L'.') {
            ++m_position;
            double scale = 0.1;
            for (; Peek() >= L'0' && Peek() <= L'9'; ++m_position, hasDigits = true, scale /= 10.0)
                number += (Peek() - L'0') * scale;
        }
        // A number that single precision cannot hold is unreadable, not infinite.
        if (!hasDigits || number > FLT_MAX)
            return false;
        value = static_cast<float>(negative ? -number : number);
        return true;
    }

    // A point moved by a relative command or mirrored may leave single precision too.
    static bool IsFinite(const MARKUP_POINTF& point) { return std::isfinite(point.x) && std::isfinite(point.y); }

    // Spaces and at most one comma, which must be followed by a number.
    bool ReadSeparator()
    {
        SkipSpaces();
        if (Peek() == L',') {
            ++m_position;
            SkipSpaces();
            return IsNumberStart(Peek());
        }
        return true;
    }

    // Another coordinate group follows: a number, or a comma and a number. A comma before anything else fails.
    bool MoreNumbers(bool& more)
    {
        SkipSpaces();
        if (Peek() == L',') {
            if (!ReadSeparator())
                return false;
            more = true;
            return true;
        }
        more = IsNumberStart(Peek());
        return true;
    }

    // One coordinate pair, relative to the current point for lower-case commands.
    bool ReadPoint(bool relative, MARKUP_POINTF& point)
    {
        if (!ReadNumber(point.x) || !ReadSeparator() || !ReadNumber(point.y))
            return false;
        if (relative) {
            point.x += m_current.x;
            point.y += m_current.y;
        }
        return IsFinite(point);
    }

    void EnsureFigure()
    {
        if (m_figureOpen)
            return;
        m_builder.StartFigure(m_current.x, m_current.y);
        m_figureStart = m_current;
        m_figureOpen = true;
    }

    // One group of numbers of a command.
    bool ReadGroup(wchar_t command, bool first)
    {
        const bool relative = command >= L'a' && command <= L'z';
        const wchar_t upper = static_cast<wchar_t>(relative ? command - (L'a' - L'A') : command);
        MARKUP_POINTF point = {};
        switch (upper) {
        case L'M':
            if (!ReadPoint(relative, point))
                return false;
            if (first) {
                m_builder.StartFigure(point.x, point.y);
                m_figureStart = point;
                m_figureOpen = true;
            } else {
                m_builder.LineTo(point.x, point.y);
            }
            m_current = point;
            m_previousCurve = false;
            return true;
        case L'L':
            if (!ReadPoint(relative, point))
                return false;
            break;
        case L'H':
            if (!ReadNumber(point.x))
                return false;
            point = {relative ? m_current.x + point.x : point.x, m_current.y};
            if (!IsFinite(point))
                return false;
            break;
        case L'V':
            if (!ReadNumber(point.y))
                return false;
            point = {m_current.x, relative ? m_current.y + point.y : point.y};
            if (!IsFinite(point))
                return false;
            break;
        case L'C':
        case L'S': {
            MARKUP_POINTF control1 = m_current;
            if (upper == L'S' && m_previousCurve)
                control1 = {2 * m_current.x - m_lastControl.x, 2 * m_current.y - m_lastControl.y};
            if (upper == L'C' && (!ReadPoint(relative, control1) || !ReadSeparator()))
                return false;
            MARKUP_POINTF control2 = {};
            MARKUP_POINTF end = {};
            if (!ReadPoint(relative, control2) || !ReadSeparator() || !ReadPoint(relative, end) ||
                !IsFinite(control1))
                return false;
            EnsureFigure();
            m_builder.BezierTo(control1, control2, end);
            m_lastControl = control2;
            m_current = end;
            m_previousCurve = true;
            return true;
        }
        default:
            return false;
        }
        EnsureFigure();
        m_builder.LineTo(point.x, point.y);
        m_current = point;
        m_previousCurve = false;
        return true;
    }

    bool ReadAll()
    {
        SkipSpaces();
        if (AtEnd())
            return true;
        if (Peek() == L'F') {
            ++m_position;
            if (Peek() != L'0' && Peek() != L'1')
                return false;
            m_builder.m_nFillRule = Peek() - L'0';
            ++m_position;
            SkipSpaces();
        }
        if (Peek() != L'M' && Peek() != L'm')
            return false;
        while (true) {
            SkipSpaces();
            if (AtEnd())
                return true;
            const wchar_t command = Peek();
            if (command == L'Z' || command == L'z') {
                ++m_position;
                EnsureFigure();
                m_builder.CloseFigure();
                m_figureOpen = false;
                m_current = m_figureStart;
                m_previousCurve = false;
                continue;
            }
            if (std::wstring_view(L"MmLlHhVvCcSs").find(command) == std::wstring_view::npos)
                return false;
            ++m_position;
            for (bool first = true, more = true; more; first = false) {
                if (!ReadGroup(command, first) || !MoreNumbers(more))
                    return false;
            }
        }
    }

    CKitMarkupPathBuilder& m_builder;
    std::wstring_view m_text;
    size_t m_position = 0;
    bool m_figureOpen = false;
    bool m_previousCurve = false;
    MARKUP_POINTF m_figureStart = {0, 0};
    MARKUP_POINTF m_current = {0, 0};
    MARKUP_POINTF m_lastControl = {0, 0};
};

BOOL CKitMarkupPathBuilder::ParsePathData(std::wstring_view text, int& nErrorPosition)
{
    return CReader(*this, text).Read(nErrorPosition);
}

CKitMarkupObject* CKitMarkupPathGeometry::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pObject);
    if (pText == nullptr)
        return nullptr;
    CKitMarkupPathBuilder builder;
    int position = 0;
    if (!builder.ParsePathData(pText->GetView(), position))
        CKitMarkupBuilder::ThrowBuilderError("Unexpected token encountered at position '%i'", position);
    return builder.CreateGeometry();
}

CKitMarkupPathGeometry* CKitMarkupPathGeometry::CreateScaled(int nWidth, int nHeight) const
{
    const double width = static_cast<double>(m_rcBounds.right) - m_rcBounds.left;
    const double height = static_cast<double>(m_rcBounds.bottom) - m_rcBounds.top;
    std::vector<MARKUP_POINTF> points = m_points;
    for (MARKUP_POINTF& point : points) {
        if (width != 0.0)
            point.x = static_cast<float>((point.x - m_rcBounds.left) * nWidth / width);
        if (height != 0.0)
            point.y = static_cast<float>((point.y - m_rcBounds.top) * nHeight / height);
    }
    CKitMarkupPathGeometry* pScaled = new CKitMarkupPathGeometry(points, m_types);
    pScaled->m_nPixelOffsetMode = m_nPixelOffsetMode;
    return pScaled;
}
