#include "toolkit/markup/markup_grid.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>
#include <cmath>

namespace {

// Ends a list of cells.
constexpr int kNoCell = 2147483647;
constexpr double kUnboundedSize = kMarkupUnbounded;

enum { kGroupOne = 0, kGroupTwo = 1, kGroupThree = 2, kGroupFour = 3 };

using Definitions = std::vector<CKitMarkupDefinitionBase*>;

// Doubles become pixels by truncation toward zero, held to the 32-bit range.
int Truncate(double value)
{
    if (!(value > -2147483648.0))
        return value != value ? 0 : -2147483647 - 1;
    if (value >= 2147483647.0)
        return 2147483647;
    return static_cast<int>(value);
}

int LengthUnit(const CKitMarkupDefinitionBase* pDefinition)
{
    const CKitMarkupGridLength* pLength = pDefinition->GetLength();
    return pLength != nullptr ? pLength->GetUnit() : CKitMarkupGridLength::unitStar;
}

double LengthValue(const CKitMarkupDefinitionBase* pDefinition)
{
    const CKitMarkupGridLength* pLength = pDefinition->GetLength();
    return pLength != nullptr ? pLength->GetValue() : 1.0;
}

void RaiseMinSize(CKitMarkupDefinitionBase* pDefinition, double value)
{
    pDefinition->m_nMinSize = std::max(pDefinition->m_nMinSize, Truncate(value));
}

bool HasSizeType(const Definitions& definitions, int nSizeType)
{
    for (const CKitMarkupDefinitionBase* pDefinition : definitions) {
        if (pDefinition->m_nSizeType == nSizeType)
            return true;
    }
    return false;
}

// The user's sizes, the size types and the starting min and measure sizes of the tracks.
void InitializeDefinitions(const Definitions& definitions, bool bStarsAsAuto)
{
    for (CKitMarkupDefinitionBase* pDefinition : definitions) {
        pDefinition->m_nMinSize = 0;
        pDefinition->m_nSizeType = 0;
        pDefinition->m_dMeasureSize = 0.0;
        int userMin = pDefinition->GetUserMinSize();
        const int userMax = pDefinition->GetUserMaxSize();
        double userSize = kUnboundedSize;
        switch (LengthUnit(pDefinition)) {
        case CKitMarkupGridLength::unitAuto:
            pDefinition->m_nSizeType = CKitMarkupDefinitionBase::sizeAuto;
            break;
        case CKitMarkupGridLength::unitPixel:
            pDefinition->m_nSizeType = CKitMarkupDefinitionBase::sizePixel;
            userSize = Truncate(LengthValue(pDefinition));
            userMin = std::max(userMin, Truncate(std::min<double>(userSize, userMax)));
            break;
        default:
            pDefinition->m_nSizeType =
                bStarsAsAuto ? CKitMarkupDefinitionBase::sizeAuto : CKitMarkupDefinitionBase::sizeStar;
            break;
        }
        pDefinition->m_nUserMinSize = userMin;
        pDefinition->m_nUserMaxSize = userMax;
        pDefinition->m_nMinSize = std::max(pDefinition->m_nMinSize, userMin);
        pDefinition->m_dMeasureSize = std::max<double>(userMin, std::min<double>(userSize, userMax));
    }
}

// The largest size a track may take: its user maximum when set and not below its min size.
double MaxSizeOf(const CKitMarkupDefinitionBase* pDefinition)
{
    const int userMax = pDefinition->m_nUserMaxSize;
    return userMax != kMarkupUnbounded && pDefinition->m_nMinSize <= userMax ? userMax : pDefinition->m_nMinSize;
}

// Shares what is left of the available size among star tracks in turn; their sizes in the order given.
std::vector<double> ShareStars(const Definitions& stars, double available, double taken)
{
    struct Entry {
        CKitMarkupDefinitionBase* pDefinition;
        double share;
        double key;
        size_t index;
    };
    std::vector<Entry> entries;
    for (size_t i = 0; i < stars.size(); ++i) {
        const double share = std::max(LengthValue(stars[i]), 0.0);
        const double limit = stars[i]->m_nUserMaxSize != kMarkupUnbounded &&
                                     stars[i]->m_nUserMaxSize >= stars[i]->m_nMinSize
                                 ? stars[i]->m_nUserMaxSize
                                 : stars[i]->m_nMinSize;
        entries.push_back({stars[i], share, share == 0.0 ? 0.0 : limit / share, i});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    double sum = 0.0;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        sum += it->share;
        it->key = sum;
    }
    std::vector<double> sizes(stars.size(), 0.0);
    for (const Entry& entry : entries) {
        const CKitMarkupDefinitionBase* pDefinition = entry.pDefinition;
        double size = pDefinition->m_nMinSize;
        if (entry.share != 0.0) {
            size = Truncate(entry.share / entry.key * std::max(available - taken, 0.0));
            size = std::max<double>(std::min<double>(size, pDefinition->m_nUserMaxSize), pDefinition->m_nMinSize);
        }
        sizes[entry.index] = size;
        taken += size;
    }
    return sizes;
}

// Star tracks take their measure sizes from what the other tracks leave of the available size.
void ResolveStars(const Definitions& definitions, double available)
{
    double taken = 0.0;
    Definitions stars;
    for (CKitMarkupDefinitionBase* pDefinition : definitions) {
        if (pDefinition->m_nSizeType == CKitMarkupDefinitionBase::sizeAuto)
            taken += pDefinition->m_nMinSize;
        else if (pDefinition->m_nSizeType == CKitMarkupDefinitionBase::sizePixel)
            taken += pDefinition->m_dMeasureSize;
        else if (pDefinition->m_nSizeType == CKitMarkupDefinitionBase::sizeStar)
            stars.push_back(pDefinition);
    }
    const std::vector<double> sizes = ShareStars(stars, available, taken);
    for (size_t i = 0; i < stars.size(); ++i)
        stars[i]->m_dMeasureSize = sizes[i];
}

// Raises the min sizes of a range of tracks so that together they hold the requested size.
void EnsureMinSizeInRange(const Definitions& definitions, int nFirst, int nCount, double requested)
{
    const auto begin = definitions.begin() + nFirst;
    const Definitions range(begin, begin + nCount);
    double rangeMin = 0.0;
    double rangePreferred = 0.0;
    double rangeMax = 0.0;
    double largestMax = 0.0;
    Definitions autoLength;
    Definitions otherLength;
    for (CKitMarkupDefinitionBase* pDefinition : range) {
        pDefinition->m_dSizeCache = MaxSizeOf(pDefinition);
        rangeMin += pDefinition->m_nMinSize;
        rangePreferred += pDefinition->GetPreferredSize();
        rangeMax += pDefinition->m_dSizeCache;
        largestMax = std::max(largestMax, pDefinition->m_dSizeCache);
        (LengthUnit(pDefinition) == CKitMarkupGridLength::unitAuto ? autoLength : otherLength).push_back(pDefinition);
    }
    if (requested <= rangeMin)
        return;
    const auto byMinSize = [](const CKitMarkupDefinitionBase* a, const CKitMarkupDefinitionBase* b) {
        return a->m_nMinSize < b->m_nMinSize;
    };
    const auto byPreferred = [](const CKitMarkupDefinitionBase* a, const CKitMarkupDefinitionBase* b) {
        return a->GetPreferredSize() < b->GetPreferredSize();
    };
    const auto bySizeCache = [](const CKitMarkupDefinitionBase* a, const CKitMarkupDefinitionBase* b) {
        return a->m_dSizeCache < b->m_dSizeCache;
    };
    if (requested <= rangePreferred) {
        std::stable_sort(autoLength.begin(), autoLength.end(), byMinSize);
        std::stable_sort(otherLength.begin(), otherLength.end(), byPreferred);
        double remaining = requested;
        for (const CKitMarkupDefinitionBase* pDefinition : autoLength)
            remaining -= pDefinition->m_nMinSize;
        for (size_t i = 0; i < otherLength.size(); ++i) {
            CKitMarkupDefinitionBase* pDefinition = otherLength[i];
            const double share =
                std::min(remaining / static_cast<double>(otherLength.size() - i), pDefinition->GetPreferredSize());
            if (share > pDefinition->m_nMinSize)
                pDefinition->m_nMinSize = Truncate(share);
            remaining -= share;
        }
        return;
    }
    if (requested <= rangeMax) {
        std::stable_sort(autoLength.begin(), autoLength.end(), bySizeCache);
        std::stable_sort(otherLength.begin(), otherLength.end(), bySizeCache);
        double rest = requested - rangePreferred;
        for (size_t i = 0; i < otherLength.size(); ++i) {
            CKitMarkupDefinitionBase* pDefinition = otherLength[i];
            const double preferred = pDefinition->GetPreferredSize();
            const double size =
                std::min(preferred + rest / static_cast<double>(otherLength.size() - i), pDefinition->m_dSizeCache);
            pDefinition->m_nMinSize = Truncate(size);
            rest -= pDefinition->m_nMinSize - preferred;
        }
        for (size_t i = 0; i < autoLength.size(); ++i) {
            CKitMarkupDefinitionBase* pDefinition = autoLength[i];
            const int oldMin = pDefinition->m_nMinSize;
            const double size =
                std::min(oldMin + rest / static_cast<double>(autoLength.size() - i), pDefinition->m_dSizeCache);
            pDefinition->m_nMinSize = Truncate(size);
            rest -= pDefinition->m_nMinSize - oldMin;
        }
        return;
    }
    const double equal = requested / nCount;
    const double spread = largestMax * nCount - rangeMax;
    for (CKitMarkupDefinitionBase* pDefinition : range) {
        if (equal >= largestMax || spread <= 0.0)
            RaiseMinSize(pDefinition, equal);
        else
            RaiseMinSize(pDefinition, pDefinition->m_dSizeCache + (largestMax - pDefinition->m_dSizeCache) *
                                                                       (requested - rangeMax) / spread);
    }
}

// The arranged sizes (size caches) and offsets of the tracks for a final size.
void SetFinalSizes(const Definitions& definitions, double finalSize)
{
    double total = 0.0;
    Definitions stars;
    for (CKitMarkupDefinitionBase* pDefinition : definitions) {
        const int unit = LengthUnit(pDefinition);
        if (unit == CKitMarkupGridLength::unitStar) {
            stars.push_back(pDefinition);
            continue;
        }
        const double userSize = unit == CKitMarkupGridLength::unitAuto ? pDefinition->m_nMinSize
                                                                         : LengthValue(pDefinition);
        const double size = std::max<double>(pDefinition->m_nMinSize,
                                             std::min<double>(userSize, pDefinition->m_nUserMaxSize));
        pDefinition->m_dSizeCache = size;
        total += size;
    }
    const std::vector<double> sizes = ShareStars(stars, finalSize, total);
    for (size_t i = 0; i < stars.size(); ++i) {
        stars[i]->m_dSizeCache = sizes[i];
        total += sizes[i];
    }
    if (finalSize < total) {
        // The shortfall is shared out, the tracks with the least room above their min sizes first.
        Definitions order = definitions;
        std::stable_sort(order.begin(), order.end(), [](const CKitMarkupDefinitionBase* a, const CKitMarkupDefinitionBase* b) {
            return a->m_dSizeCache - a->m_nMinSize < b->m_dSizeCache - b->m_nMinSize;
        });
        double rest = finalSize - total;
        for (size_t i = 0; i < order.size(); ++i) {
            CKitMarkupDefinitionBase* pDefinition = order[i];
            double size = rest / static_cast<double>(order.size() - i) + pDefinition->m_dSizeCache;
            size = std::min<double>(std::max<double>(size, pDefinition->m_nMinSize), pDefinition->m_dSizeCache);
            rest -= size - pDefinition->m_dSizeCache;
            pDefinition->m_dSizeCache = size;
        }
    }
    long long offset = 0;
    for (CKitMarkupDefinitionBase* pDefinition : definitions) {
        pDefinition->m_nFinalOffset = MarkupClampToInt(offset);
        offset += Truncate(pDefinition->m_dSizeCache);
    }
}

// The size of the spanned tracks for measuring a cell: Auto tracks count their min sizes.
double MeasureSpan(const Definitions& definitions, int nFirst, int nCount)
{
    double sum = 0.0;
    for (int i = nFirst; i < nFirst + nCount; ++i) {
        const CKitMarkupDefinitionBase* pDefinition = definitions[static_cast<size_t>(i)];
        sum += pDefinition->m_nSizeType == CKitMarkupDefinitionBase::sizeAuto ? pDefinition->m_nMinSize
                                                                               : pDefinition->m_dMeasureSize;
    }
    return sum;
}

int OrSizeTypes(const Definitions& definitions, int nFirst, int nCount)
{
    int types = 0;
    for (int i = nFirst; i < nFirst + nCount; ++i)
        types |= definitions[static_cast<size_t>(i)]->m_nSizeType;
    return types;
}

bool IsAutoWithoutStar(int nSizeTypes)
{
    return (nSizeTypes & CKitMarkupDefinitionBase::sizeAuto) != 0 &&
           (nSizeTypes & CKitMarkupDefinitionBase::sizeStar) == 0;
}

// A change of a child's cell: the grid that holds it measures again.
void OnCellChanged(CKitMarkupObject* pObject, CKitMarkupPropertyChangedEventArgs*)
{
    const CKitMarkupVisual* pChild = MarkupDynamicCast<CKitMarkupVisual>(pObject);
    if (pChild == nullptr)
        return;
    if (CKitMarkupGrid* pGrid = MarkupDynamicCast<CKitMarkupGrid>(pChild->GetVisualParent()))
        pGrid->InvalidateMeasure();
}

// The length (one star by default), minimum and maximum of one kind of track.
void RegisterTrackProperties(CKitMarkupType* pOwner, LPCWSTR lpszLength, LPCWSTR lpszMin, LPCWSTR lpszMax,
                             CKitMarkupDependencyProperty*& pLength, CKitMarkupDependencyProperty*& pMin,
                             CKitMarkupDependencyProperty*& pMax)
{
    pLength = CKitMarkupDependencyProperty::Register(
        lpszLength, MARKUP_TYPE(CKitMarkupGridLength), pOwner,
        new CKitMarkupPropertyMetadata(new CKitMarkupGridLength(1.0, CKitMarkupGridLength::unitStar), 0));
    pMin = CKitMarkupDependencyProperty::Register(lpszMin, MARKUP_TYPE(CKitMarkupInt), pOwner,
                                                  new CKitMarkupPropertyMetadata(new CKitMarkupInt(0), 0));
    pMax = CKitMarkupDependencyProperty::Register(
        lpszMax, MARKUP_TYPE(CKitMarkupInt), pOwner,
        new CKitMarkupPropertyMetadata(new CKitMarkupInt(kMarkupUnbounded), 0));
}

CKitMarkupDependencyProperty* RegisterCellProperty(LPCWSTR lpszName)
{
    return CKitMarkupDependencyProperty::RegisterAttached(lpszName, MARKUP_TYPE(CKitMarkupInt),
                                                          MARKUP_TYPE(CKitMarkupGrid),
                                                          new CKitMarkupPropertyMetadata(nullptr, OnCellChanged, 0));
}

} // namespace

// CKitMarkupGridLength

CKitMarkupObject* CKitMarkupGridLength::ConvertFrom(CKitMarkupBuilder*, CKitMarkupObject* pObject)
{
    const CKitMarkupString* pText = MarkupDynamicCast<CKitMarkupString>(pObject);
    if (pText == nullptr)
        return nullptr;
    const std::wstring_view text = pText->GetView();
    if (MarkupEqualsNoCase(text, L"Auto"))
        return new CKitMarkupGridLength(1.0, unitAuto);
    if (text == L"*")
        return new CKitMarkupGridLength(1.0, unitStar);
    const bool star = !text.empty() && text.back() == L'*';
    const std::wstring number(text.substr(0, star ? text.size() - 1 : text.size()));
    LPCWSTR cursor = number.c_str();
    double value = 0.0;
    if (number.empty() || !MarkupParseDouble(cursor, L'\0', TRUE, value))
        return nullptr;
    return new CKitMarkupGridLength(value, star ? unitStar : unitPixel);
}

BOOL CKitMarkupGridLength::IsEqual(const CKitMarkupObject* pOther) const
{
    if (pOther == nullptr || !pOther->IsKindOf(MARKUP_TYPE(CKitMarkupGridLength)))
        return FALSE;
    const CKitMarkupGridLength* pLength = static_cast<const CKitMarkupGridLength*>(pOther);
    return pLength->m_dValue == m_dValue && pLength->m_nUnit == m_nUnit;
}

// CKitMarkupDefinitionBase

CKitMarkupDefinitionBase::CKitMarkupDefinitionBase(bool bColumn)
    : m_nMinSize(0),
      m_nSizeType(0),
      m_dMeasureSize(0.0),
      m_dSizeCache(0.0),
      m_nFinalOffset(0),
      m_nUserMinSize(0),
      m_nUserMaxSize(kMarkupUnbounded),
      m_bColumn(bColumn)
{
}

const CKitMarkupGridLength* CKitMarkupDefinitionBase::GetLength() const
{
    return GetValueOf<CKitMarkupGridLength>(m_bColumn ? CKitMarkupColumnDefinition::m_pWidthProperty
                                                      : CKitMarkupRowDefinition::m_pHeightProperty);
}

int CKitMarkupDefinitionBase::GetUserMinSize() const
{
    return MarkupIntValue(this, m_bColumn ? CKitMarkupColumnDefinition::m_pMinWidthProperty
                                 : CKitMarkupRowDefinition::m_pMinHeightProperty,
                 0);
}

int CKitMarkupDefinitionBase::GetUserMaxSize() const
{
    return MarkupIntValue(this, m_bColumn ? CKitMarkupColumnDefinition::m_pMaxWidthProperty
                                 : CKitMarkupRowDefinition::m_pMaxHeightProperty,
                 kMarkupUnbounded);
}

double CKitMarkupDefinitionBase::GetPreferredSize() const
{
    if (m_nSizeType == sizeAuto)
        return m_nMinSize;
    return std::max<double>(m_nMinSize, m_dMeasureSize);
}

CKitMarkupGrid* CKitMarkupDefinitionBase::GetOwnerGrid() const
{
    const CKitMarkupObject* pCollection = GetLogicalParent();
    return pCollection != nullptr ? MarkupDynamicCast<CKitMarkupGrid>(pCollection->GetLogicalParent()) : nullptr;
}

void CKitMarkupDefinitionBase::OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                                                 CKitMarkupObject* pNewValue)
{
    CKitMarkupObject::OnPropertyChanged(pProperty, pOldValue, pNewValue);
    if (CKitMarkupGrid* pGrid = GetOwnerGrid())
        pGrid->InvalidateMeasure();
}

// CKitMarkupColumnDefinition, CKitMarkupRowDefinition

CKitMarkupDependencyProperty* CKitMarkupColumnDefinition::m_pWidthProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupColumnDefinition::m_pMinWidthProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupColumnDefinition::m_pMaxWidthProperty = nullptr;

void CKitMarkupColumnDefinition::RegisterProperties()
{
    RegisterTrackProperties(MARKUP_TYPE(CKitMarkupColumnDefinition), L"Width", L"MinWidth", L"MaxWidth",
                            m_pWidthProperty, m_pMinWidthProperty, m_pMaxWidthProperty);
}

CKitMarkupDependencyProperty* CKitMarkupRowDefinition::m_pHeightProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupRowDefinition::m_pMinHeightProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupRowDefinition::m_pMaxHeightProperty = nullptr;

void CKitMarkupRowDefinition::RegisterProperties()
{
    RegisterTrackProperties(MARKUP_TYPE(CKitMarkupRowDefinition), L"Height", L"MinHeight", L"MaxHeight",
                            m_pHeightProperty, m_pMinHeightProperty, m_pMaxHeightProperty);
}

// Definition collections

CKitMarkupDefinitionCollection::CKitMarkupDefinitionCollection()
{
    m_pElementType = MARKUP_TYPE(CKitMarkupDefinitionBase);
}

void CKitMarkupDefinitionCollection::OnChanged()
{
    if (CKitMarkupGrid* pGrid = MarkupDynamicCast<CKitMarkupGrid>(GetLogicalParent()))
        pGrid->InvalidateMeasure();
}

CKitMarkupColumnDefinitionCollection::CKitMarkupColumnDefinitionCollection()
{
    m_pElementType = MARKUP_TYPE(CKitMarkupColumnDefinition);
}

CKitMarkupRowDefinitionCollection::CKitMarkupRowDefinitionCollection()
{
    m_pElementType = MARKUP_TYPE(CKitMarkupRowDefinition);
}

// CKitMarkupGrid

CKitMarkupDependencyProperty* CKitMarkupGrid::m_pColumnDefinitionsProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupGrid::m_pRowDefinitionsProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupGrid::m_pColumnProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupGrid::m_pRowProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupGrid::m_pColumnSpanProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupGrid::m_pRowSpanProperty = nullptr;

void CKitMarkupGrid::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupGrid);
    m_pColumnDefinitionsProperty = CKitMarkupDependencyProperty::Register(
        L"ColumnDefinitions", MARKUP_TYPE(CKitMarkupColumnDefinitionCollection), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    m_pRowDefinitionsProperty = CKitMarkupDependencyProperty::Register(
        L"RowDefinitions", MARKUP_TYPE(CKitMarkupRowDefinitionCollection), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    m_pColumnProperty = RegisterCellProperty(L"Column");
    m_pRowProperty = RegisterCellProperty(L"Row");
    m_pColumnSpanProperty = RegisterCellProperty(L"ColumnSpan");
    m_pRowSpanProperty = RegisterCellProperty(L"RowSpan");
}

CKitMarkupGrid::CKitMarkupGrid() : m_bHasCells(false)
{
    SetValue(m_pColumnDefinitionsProperty, new CKitMarkupColumnDefinitionCollection());
    SetValue(m_pRowDefinitionsProperty, new CKitMarkupRowDefinitionCollection());
}

CKitMarkupGrid::~CKitMarkupGrid()
{
    ReleaseDefinitions();
}

CKitMarkupColumnDefinitionCollection* CKitMarkupGrid::GetColumnDefinitions() const
{
    return GetValueOf<CKitMarkupColumnDefinitionCollection>(m_pColumnDefinitionsProperty);
}

CKitMarkupRowDefinitionCollection* CKitMarkupGrid::GetRowDefinitions() const
{
    return GetValueOf<CKitMarkupRowDefinitionCollection>(m_pRowDefinitionsProperty);
}

void CKitMarkupGrid::SetPropertyObject(CKitMarkupBuilder* pBuilder, CKitMarkupDependencyProperty* pProperty,
                                       CKitMarkupObject* pValue)
{
    if (pProperty == m_pColumnDefinitionsProperty || pProperty == m_pRowDefinitionsProperty) {
        const bool columns = pProperty == m_pColumnDefinitionsProperty;
        if (pValue == nullptr || !pValue->IsKindOf(pProperty->GetPropertyType())) {
            CKitMarkupRef<CKitMarkupObject> value(pValue);
            CKitMarkupBuilder::ThrowBuilderError(columns ? "CKitMarkupColumnDefinitionCollection class expected"
                                                         : "CKitMarkupRowDefinitionCollection class expected");
        }
    }
    CKitMarkupPanel::SetPropertyObject(pBuilder, pProperty, pValue);
}

void CKitMarkupGrid::ReleaseDefinitions()
{
    for (std::vector<CKitMarkupDefinitionBase*>* pList : {&m_columns, &m_rows}) {
        for (CKitMarkupDefinitionBase* pDefinition : *pList)
            pDefinition->Release();
        pList->clear();
    }
}

void CKitMarkupGrid::BuildDefinitions()
{
    ReleaseDefinitions();
    const auto build = [](const CKitMarkupDefinitionCollection* pCollection, CKitMarkupDefinitionBase* pDefault,
                          std::vector<CKitMarkupDefinitionBase*>& list) {
        CKitMarkupRef<CKitMarkupDefinitionBase> standIn(pDefault);
        if (pCollection == nullptr || pCollection->GetCount() == 0) {
            list.push_back(standIn.Detach());
            return;
        }
        for (int i = 0; i < pCollection->GetCount(); ++i) {
            CKitMarkupDefinitionBase* pDefinition = pCollection->GetDefinition(i);
            pDefinition->AddRef();
            list.push_back(pDefinition);
        }
    };
    build(GetColumnDefinitions(), new CKitMarkupColumnDefinition(), m_columns);
    build(GetRowDefinitions(), new CKitMarkupRowDefinition(), m_rows);
}

CKitMarkupGrid::CellGroups CKitMarkupGrid::BuildCells()
{
    CellGroups groups = {{kNoCell, kNoCell, kNoCell, kNoCell}, false};
    const int count = GetChildren()->GetCount();
    const int columns = static_cast<int>(m_columns.size());
    const int rows = static_cast<int>(m_rows.size());
    m_cells.assign(static_cast<size_t>(count), CellCache());
    for (int i = count - 1; i >= 0; --i) {
        const CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
        CellCache& cell = m_cells[static_cast<size_t>(i)];
        // Negative cells count as the first; spans below 1 as 1; both stay inside the grid.
        cell.nColumn = std::min(std::max(MarkupIntValue(pChild, m_pColumnProperty, 0), 0), columns - 1);
        cell.nRow = std::min(std::max(MarkupIntValue(pChild, m_pRowProperty, 0), 0), rows - 1);
        cell.nColumnSpan = std::min(std::max(MarkupIntValue(pChild, m_pColumnSpanProperty, 1), 1), columns - cell.nColumn);
        cell.nRowSpan = std::min(std::max(MarkupIntValue(pChild, m_pRowSpanProperty, 1), 1), rows - cell.nRow);
        cell.nColumnSizeTypes = OrSizeTypes(m_columns, cell.nColumn, cell.nColumnSpan);
        cell.nRowSizeTypes = OrSizeTypes(m_rows, cell.nRow, cell.nRowSpan);
        const bool starColumns = (cell.nColumnSizeTypes & CKitMarkupDefinitionBase::sizeStar) != 0;
        const bool starRows = (cell.nRowSizeTypes & CKitMarkupDefinitionBase::sizeStar) != 0;
        int group = kGroupFour;
        if (!starRows && !starColumns) {
            group = kGroupOne;
        } else if (!starRows) {
            group = kGroupThree;
            if (cell.nRowSizeTypes & CKitMarkupDefinitionBase::sizeAuto)
                groups.bGroup3InAutoRows = true;
        } else if (IsAutoWithoutStar(cell.nColumnSizeTypes)) {
            group = kGroupTwo;
        }
        cell.nNext = groups.heads[group];
        groups.heads[group] = i;
    }
    return groups;
}

void CKitMarkupGrid::MeasureCell(CKitMarkupDrawingContext* pDC, int nChild, bool bForceUnboundedHeight)
{
    const CellCache& cell = m_cells[static_cast<size_t>(nChild)];
    int width = kMarkupUnbounded;
    if (!IsAutoWithoutStar(cell.nColumnSizeTypes))
        width = Truncate(MeasureSpan(m_columns, cell.nColumn, cell.nColumnSpan));
    int height = kMarkupUnbounded;
    if (!bForceUnboundedHeight && !IsAutoWithoutStar(cell.nRowSizeTypes))
        height = Truncate(MeasureSpan(m_rows, cell.nRow, cell.nRowSpan));
    GetChildren()->GetElement(nChild)->Measure(pDC, width, height);
}

void CKitMarkupGrid::MeasureGroup(CKitMarkupDrawingContext* pDC, int nHead, bool bIgnoreDesiredWidths,
                                  bool bForceUnboundedHeight)
{
    struct SpanKey {
        int nCount;
        int nFirst;
        bool bColumns;
        int nRequested;
    };
    std::vector<SpanKey> spans;
    for (int i = nHead; i != kNoCell; i = m_cells[static_cast<size_t>(i)].nNext) {
        MeasureCell(pDC, i, bForceUnboundedHeight);
        const CellCache& cell = m_cells[static_cast<size_t>(i)];
        const SIZE desired = GetChildren()->GetElement(i)->GetDesiredSize();
        if (!bIgnoreDesiredWidths) {
            if (cell.nColumnSpan == 1)
                RaiseMinSize(m_columns[static_cast<size_t>(cell.nColumn)], desired.cx);
            else
                spans.push_back({cell.nColumnSpan, cell.nColumn, true, desired.cx});
        }
        if (!bForceUnboundedHeight) {
            if (cell.nRowSpan == 1)
                RaiseMinSize(m_rows[static_cast<size_t>(cell.nRow)], desired.cy);
            else
                spans.push_back({cell.nRowSpan, cell.nRow, false, desired.cy});
        }
    }
    for (const SpanKey& span : spans)
        EnsureMinSizeInRange(span.bColumns ? m_columns : m_rows, span.nFirst, span.nCount, span.nRequested);
}

SIZE CKitMarkupGrid::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    const CKitMarkupDefinitionCollection* pColumns = GetColumnDefinitions();
    const CKitMarkupDefinitionCollection* pRows = GetRowDefinitions();
    const int count = GetChildren()->GetCount();
    if ((pColumns == nullptr || pColumns->GetCount() == 0) && (pRows == nullptr || pRows->GetCount() == 0)) {
        m_bHasCells = false;
        SIZE desired = {0, 0};
        for (int i = 0; i < count; ++i) {
            CKitMarkupUIElement* pChild = GetChildren()->GetElement(i);
            pChild->Measure(pDC, nAvailableWidth, nAvailableHeight);
            desired.cx = std::max(desired.cx, pChild->GetDesiredSize().cx);
            desired.cy = std::max(desired.cy, pChild->GetDesiredSize().cy);
        }
        return desired;
    }
    BuildDefinitions();
    InitializeDefinitions(m_columns, nAvailableWidth >= kMarkupUnboundedThreshold);
    InitializeDefinitions(m_rows, nAvailableHeight >= kMarkupUnboundedThreshold);
    const CellGroups groups = BuildCells();
    m_bHasCells = true;
    const bool starColumns = HasSizeType(m_columns, CKitMarkupDefinitionBase::sizeStar);
    const bool starRows = HasSizeType(m_rows, CKitMarkupDefinitionBase::sizeStar);

    MeasureGroup(pDC, groups.heads[kGroupOne], false, false);
    if (!groups.bGroup3InAutoRows) {
        if (starRows)
            ResolveStars(m_rows, nAvailableHeight);
        MeasureGroup(pDC, groups.heads[kGroupTwo], false, false);
        if (starColumns)
            ResolveStars(m_columns, nAvailableWidth);
        MeasureGroup(pDC, groups.heads[kGroupThree], false, false);
    } else if (groups.heads[kGroupTwo] == kNoCell) {
        if (starColumns)
            ResolveStars(m_columns, nAvailableWidth);
        MeasureGroup(pDC, groups.heads[kGroupThree], false, false);
        if (starRows)
            ResolveStars(m_rows, nAvailableHeight);
    } else {
        // Cells of Auto columns in star rows and of star columns in Auto rows depend on each other:
        // the first are measured without a height, then again without asking for width.
        MeasureGroup(pDC, groups.heads[kGroupTwo], false, true);
        if (starColumns)
            ResolveStars(m_columns, nAvailableWidth);
        MeasureGroup(pDC, groups.heads[kGroupThree], false, false);
        if (starRows)
            ResolveStars(m_rows, nAvailableHeight);
        MeasureGroup(pDC, groups.heads[kGroupTwo], true, false);
    }
    MeasureGroup(pDC, groups.heads[kGroupFour], false, false);

    long long width = 0;
    long long height = 0;
    for (const CKitMarkupDefinitionBase* pColumn : m_columns)
        width += pColumn->m_nMinSize;
    for (const CKitMarkupDefinitionBase* pRow : m_rows)
        height += pRow->m_nMinSize;
    return {MarkupClampToInt(width), MarkupClampToInt(height)};
}

SIZE CKitMarkupGrid::ArrangeOverride(SIZE szFinal)
{
    const int count = GetChildren()->GetCount();
    if (!m_bHasCells || m_cells.size() != static_cast<size_t>(count)) {
        for (int i = 0; i < count; ++i)
            GetChildren()->GetElement(i)->Arrange({0, 0, szFinal.cx, szFinal.cy});
        return szFinal;
    }
    SetFinalSizes(m_columns, szFinal.cx);
    SetFinalSizes(m_rows, szFinal.cy);
    for (int i = 0; i < count; ++i) {
        const CellCache& cell = m_cells[static_cast<size_t>(i)];
        const long long x = m_columns[static_cast<size_t>(cell.nColumn)]->m_nFinalOffset;
        const long long y = m_rows[static_cast<size_t>(cell.nRow)]->m_nFinalOffset;
        long long width = 0;
        for (int c = cell.nColumn; c < cell.nColumn + cell.nColumnSpan; ++c)
            width += Truncate(m_columns[static_cast<size_t>(c)]->m_dSizeCache);
        long long height = 0;
        for (int r = cell.nRow; r < cell.nRow + cell.nRowSpan; ++r)
            height += Truncate(m_rows[static_cast<size_t>(r)]->m_dSizeCache);
        GetChildren()->GetElement(i)->Arrange({MarkupClampToInt(x), MarkupClampToInt(y), MarkupClampToInt(x + width),
                                               MarkupClampToInt(y + height)});
    }
    return szFinal;
}
