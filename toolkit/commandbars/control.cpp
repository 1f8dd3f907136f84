#include "toolkit/commandbars/control.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/mouse_manager.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/sound_player.h"
#include "toolkit/common/upper_services.h"

IMPLEMENT_DYNCREATE(CKitControl, CCmdTarget)

CKitControl::~CKitControl()
{
    SetAction(nullptr);
}

CKitControl::CResourceTexts CKitControl::SplitResourceString(const CString& strResource)
{
    CResourceTexts texts;
    const int nFirst = strResource.Find('\n');
    if (nFirst < 0) {
        texts.strDescription = strResource;
        texts.strTooltip = strResource;
        return texts;
    }
    texts.strDescription = strResource.Left(nFirst);
    CString strRest = strResource.Mid(nFirst + 1);
    int nNext = strRest.Find('\n');
    texts.strTooltip = nNext < 0 ? strRest : strRest.Left(nNext);
    if (nNext < 0)
        return texts;
    strRest = strRest.Mid(nNext + 1);
    nNext = strRest.Find('\n');
    texts.bHasCaption = TRUE;
    texts.strCaption = nNext < 0 ? strRest : strRest.Left(nNext);
    if (nNext >= 0) {
        texts.bHasKeyboardTip = TRUE;
        texts.strKeyboardTip = strRest.Mid(nNext + 1);
    }
    return texts;
}

void CKitControl::LoadResourceTexts(UINT nId)
{
    BOOL bFailed = FALSE;
    const CString strResource = CKitResourceManager::Instance()->LoadStringOrEmpty(nId, &bFailed);
    if (bFailed || strResource.IsEmpty())
        return;
    const CResourceTexts texts = SplitResourceString(strResource);
    m_strTooltip = texts.strTooltip;
    m_strDescription = texts.strDescription;
    if (m_strCaption.IsEmpty()) {
        m_strCaption = texts.bHasCaption && !texts.strCaption.IsEmpty() ? texts.strCaption : texts.strTooltip;
        OnCaptionChanged();
    }
    if (m_strKeyboardTip.IsEmpty() && texts.bHasKeyboardTip)
        m_strKeyboardTip = texts.strKeyboardTip;
}

void CKitControl::SetId(UINT nId)
{
    if (nId != m_nId)
        LoadResourceTexts(nId);
    m_nId = nId;
}

CString CKitControl::GetCaption() const
{
    if (!m_strCustomCaption.IsEmpty())
        return m_strCustomCaption;
    if (!m_strCaption.IsEmpty() || m_pAction == nullptr)
        return m_strCaption;
    return m_pAction->GetCaption();
}

void CKitControl::SetCaption(LPCSTR lpszCaption)
{
    CString strCaption = lpszCaption != nullptr ? lpszCaption : "";
    CString strShortcut = m_strShortcutTextAuto;
    const int nTab = strCaption.Find('\t');
    if (nTab >= 0) {
        strShortcut = strCaption.Mid(nTab + 1);
        strCaption = strCaption.Left(nTab);
    }
    const BOOL bCaptionChanged = strCaption != m_strCaption;
    const BOOL bChanged = bCaptionChanged || strShortcut != m_strShortcutTextAuto;
    m_strCaption = strCaption;
    m_strShortcutTextAuto = strShortcut;
    if (bCaptionChanged)
        OnCaptionChanged();
    if (bChanged)
        MarkParentDirty();
}

void CKitControl::SetCaptionFromResource(UINT nId)
{
    CString strCaption;
    if (CKitResourceManager::Instance()->LoadString(strCaption, nId))
        SetCaption(strCaption);
}

CString CKitControl::GetDescription() const
{
    if (!m_strDescription.IsEmpty() || m_pAction == nullptr)
        return m_strDescription;
    return m_pAction->GetDescription();
}

CString CKitControl::GetTooltip() const
{
    if (!m_strTooltip.IsEmpty() || m_pAction == nullptr)
        return m_strTooltip;
    return m_pAction->GetTooltip();
}

CString CKitControl::GetShortcutText() const
{
    if (!m_strShortcutText.IsEmpty())
        return m_strShortcutText;
    if (m_pAction != nullptr && !m_pAction->GetShortcutText().IsEmpty())
        return m_pAction->GetShortcutText();
    return m_strShortcutTextAuto;
}

CString CKitControl::GetKeyboardTip() const
{
    if (!m_strKeyboardTip.IsEmpty() || m_pAction == nullptr)
        return m_strKeyboardTip;
    return m_pAction->GetKeyboardTip();
}

UINT CKitControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    if (static_cast<int>(m_nIconId) > 0)
        return m_nIconId;
    if (m_pAction != nullptr)
        return static_cast<int>(m_pAction->GetIconId()) > 0 ? m_pAction->GetIconId() : m_pAction->GetId();
    return m_nId;
}

void CKitControl::SetWidth(int nWidth)
{
    if (nWidth == m_nWidth)
        return;
    m_nWidth = nWidth;
    MarkParentDirty();
}

void CKitControl::SetHeight(int nHeight)
{
    if (nHeight == m_nHeight)
        return;
    m_nHeight = nHeight;
    MarkParentDirty();
}

CSize CKitControl::GetIconSize() const
{
    if (m_szIcon.cx != 0 && m_szIcon.cy != 0)
        return m_szIcon;
    return m_pParent != nullptr ? m_pParent->GetIconSize() : CSize(16, 16);
}

CKitImageManagerIcon* CKitControl::GetIcon(int nWidth) const
{
    return GetImageManager()->GetImage(GetIconId(), nWidth);
}

CSize CKitControl::GetButtonSize() const
{
    return m_pParent != nullptr ? m_pParent->GetButtonSize() : CSize(23, 22);
}

BOOL CKitControl::IsInPopupBar() const
{
    return m_pParent != nullptr && m_pParent->GetType() == kitBarTypePopup;
}

BOOL CKitControl::IsCaptionVisible() const
{
    if (!m_bCaptionVisible)
        return FALSE;
    if (IsInPopupBar())
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetStyle()) {
    case kitButtonCaption:
    case kitButtonIconAndCaption:
    case kitButtonIconAndCaptionBelow:
    case kitButtonCaptionAndDescription:
        return TRUE;
    case kitButtonIcon:
        return FALSE;
    default:
        break;
    }
    switch (m_nType) {
    case kitControlButton:
    case kitControlButtonPopup:
    case kitControlSplitButtonPopup:
        // Shown in place of a missing icon.
        return GetIcon(GetIconSize().cx) == nullptr;
    case kitControlPopup:
    case kitControlLabel:
    case kitControlCheckBox:
    case kitControlRadioButton:
        return TRUE;
    default:
        return FALSE;
    }
}

int CKitControl::GetStyle() const
{
    if (m_nButtonCustomStyle != -1)
        return m_nButtonCustomStyle;
    if (m_nButtonStyle != 0)
        return m_nButtonStyle;
    if (m_nButtonDefaultStyle != 0)
        return m_nButtonDefaultStyle;
    return m_pParent != nullptr ? m_pParent->GetDefaultButtonStyle() : kitButtonAutomatic;
}

int CKitControl::GetChecked() const
{
    if (m_nChecked != -1 || m_pAction == nullptr)
        return m_nChecked;
    return m_pAction->GetChecked();
}

void CKitControl::SetChecked(int nChecked)
{
    if (nChecked == m_nChecked)
        return;
    m_nChecked = nChecked;
    RedrawParent();
}

int CKitControl::IsEnabled() const
{
    if (m_pParent != nullptr) {
        const int nOverride = m_pParent->GetControlsEnabledOverride(this);
        if (nOverride != -1)
            return nOverride;
    }
    if (m_nEnabled != -1)
        return m_nEnabled;
    return m_pAction != nullptr ? m_pAction->IsEnabled() : TRUE;
}

void CKitControl::SetEnabled(int nEnabled)
{
    if (nEnabled == m_nEnabled)
        return;
    m_nEnabled = nEnabled;
    OnEnabledChanged();
    RedrawParent();
}

BOOL CKitControl::OnSetSelected(int nSelected)
{
    if (nSelected == m_nSelected)
        return FALSE;
    if (m_pParent != nullptr && (nSelected == kitSelectedKeyboard || nSelected == kitSelectedKeyboardBack) &&
        m_pParent->GetPopuped() != m_nIndex)
        m_pParent->OpenPopupAt(-1);
    m_nSelected = nSelected;
    if (m_pParent != nullptr)
        m_pParent->SetStatusText(nSelected != kitSelectedNone, this);
    if (IsEnabled() || nSelected == kitSelectedNone || nSelected == kitSelectedKeyboard ||
        nSelected == kitSelectedKeyboardBack)
        RedrawParent(nSelected == kitSelectedNone);
    return TRUE;
}

void CKitControl::SetBeginGroup(BOOL bBeginGroup)
{
    m_bBeginGroup = bBeginGroup;
    MarkParentDirty();
}

void CKitControl::SetHideFlag(BOOL bShow)
{
    const DWORD dwFlags = bShow ? (m_dwHideFlags & ~kitHideUser) : (m_dwHideFlags | kitHideUser);
    if (dwFlags == m_dwHideFlags)
        return;
    SetHideFlags(dwFlags);
    MarkParentDirty();
}

BOOL CKitControl::IsOnCompositedFrame() const
{
    if (m_pParent == nullptr)
        return FALSE;
    return m_pParent->IsRectOnCompositedFrame(m_rcControl) || m_pParent->IsOnCompositedFrame();
}

BOOL CKitControl::IsVisible(DWORD dwSkipHideFlags) const
{
    if (m_pAction != nullptr && !m_pAction->IsVisible())
        return FALSE;
    return (m_dwHideFlags & ~dwSkipHideFlags) == 0;
}

void CKitControl::SetCollapsible(BOOL bCollapsible)
{
    m_bCollapsible = bCollapsible;
    if (!bCollapsible)
        SetHideFlags(m_dwHideFlags & ~kitHideGeneric);
}

void CKitControl::SetRect(const CRect& rc)
{
    m_rcControl = rc;
}

void CKitControl::SetAction(CKitControlAction* pAction)
{
    if (pAction == m_pAction)
        return;
    if (m_pAction != nullptr) {
        m_pAction->RemoveControl(this);
        m_pAction = nullptr;
        m_nEnabled = 1;
        m_nChecked = 0;
    }
    if (pAction == nullptr)
        return;
    m_pAction = pAction;
    pAction->AddControl(this);
    m_nEnabled = -1;
    m_nChecked = -1;
    m_nId = pAction->GetId();
    m_strCaption.Empty();
    m_strTooltip.Empty();
    m_strDescription.Empty();
    m_strCategory.Empty();
    m_strShortcutText.Empty();
    m_strKeyboardTip.Empty();
}

void CKitControl::OnActionChanged(int nProperty)
{
    if (nProperty == kitActionCaption)
        OnCaptionChanged();
    else if (nProperty == kitActionEnabled)
        OnEnabledChanged();
}

BOOL CKitControl::Compare(const CKitControl* pOther) const
{
    return pOther != nullptr && GetStyle() == pOther->GetStyle() && m_nType == pOther->m_nType &&
           m_nId == pOther->m_nId && m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
           GetIconId() == pOther->GetIconId() && GetCaption() == pOther->GetCaption() &&
           GetTooltip() == pOther->GetTooltip() && GetDescription() == pOther->GetDescription() &&
           m_nWidth == pOther->m_nWidth;
}

void CKitControl::CDocTemplateMap::Copy(const CDocTemplateMap& source)
{
    RemoveAll();
    POSITION pos = source.GetStartPosition();
    while (pos != nullptr) {
        UINT nTemplate = 0;
        int nValue = 0;
        source.GetNextAssoc(pos, nTemplate, nValue);
        SetAt(nTemplate, nValue);
    }
}

BOOL CKitControl::CDocTemplateMap::Contains(UINT nTemplate) const
{
    int nValue = 0;
    return Lookup(nTemplate, nValue);
}

BOOL CKitControl::UpdateDocTemplateVisibility(UINT nTemplate)
{
    const DWORD dwOld = m_dwHideFlags;
    if (!m_docTemplatesAssigned.IsEmpty()) {
        if (m_docTemplatesAssigned.Contains(nTemplate))
            m_dwHideFlags &= ~static_cast<DWORD>(kitHideDocTemplate);
        else
            m_dwHideFlags |= kitHideDocTemplate;
    }
    if (!m_docTemplatesExcluded.IsEmpty()) {
        if (m_docTemplatesExcluded.Contains(nTemplate))
            m_dwHideFlags |= kitHideDocTemplate;
        else
            m_dwHideFlags &= ~static_cast<DWORD>(kitHideDocTemplate);
    }
    return m_dwHideFlags != dwOld;
}

void CKitControl::Copy(const CKitControl* pSource, BOOL /*bRecursive*/)
{
    if (pSource == nullptr || pSource == this)
        return;
    m_nType = pSource->m_nType;
    m_nTag = pSource->m_nTag;
    m_nId = pSource->m_nId;
    SetAction(pSource->m_pAction);
    m_nIconId = pSource->m_nIconId;
    m_nHelpId = pSource->m_nHelpId;
    m_nCustomIconId = pSource->m_nCustomIconId;
    m_bBeginGroup = pSource->m_bBeginGroup;
    m_nEnabled = pSource->m_nEnabled;
    m_nChecked = pSource->m_nChecked;
    m_bTemporary = pSource->m_bTemporary;
    m_dwHideFlags = pSource->m_dwHideFlags & ~static_cast<DWORD>(kitHideLayoutMask);
    m_dwFlags = pSource->m_dwFlags;
    m_strCaption = pSource->m_strCaption;
    m_strCustomCaption = pSource->m_strCustomCaption;
    m_strShortcutText = pSource->m_strShortcutText;
    m_strShortcutTextAuto = pSource->m_strShortcutTextAuto;
    m_strTooltip = pSource->m_strTooltip;
    m_strDescription = pSource->m_strDescription;
    m_strParameter = pSource->m_strParameter;
    m_strKeyboardTip = pSource->m_strKeyboardTip;
    m_bCollapsible = pSource->m_bCollapsible;
    m_strCategory = pSource->m_strCategory;
    m_bDefaultItem = pSource->m_bDefaultItem;
    m_nButtonStyle = pSource->m_nButtonStyle;
    m_nButtonCustomStyle = pSource->m_nButtonCustomStyle;
    m_nButtonDefaultStyle = pSource->m_nButtonDefaultStyle;
    m_bCloseSubMenuOnClick = pSource->m_bCloseSubMenuOnClick;
    m_nWidth = pSource->m_nWidth;
    m_nHeight = pSource->m_nHeight;
    m_nExecuteOnPressInterval = pSource->m_nExecuteOnPressInterval;
    m_szIcon = pSource->m_szIcon;
    m_docTemplatesAssigned.Copy(pSource->m_docTemplatesAssigned);
    m_docTemplatesExcluded.Copy(pSource->m_docTemplatesExcluded);
    m_bCaptionVisible = pSource->m_bCaptionVisible;
    m_bBoldCaption = pSource->m_bBoldCaption;
}

CKitControl* CKitControl::Clone(BOOL bRecursive) const
{
    auto* pClone = static_cast<CKitControl*>(GetRuntimeClass()->CreateObject());
    if (pClone != nullptr)
        pClone->Copy(this, bRecursive);
    return pClone;
}

CSize CKitControl::GetSize(CDC* pDC)
{
    CKitBarPainter* pPainter = GetPaintManager();
    return pPainter != nullptr ? pPainter->DrawControl(pDC, this, FALSE) : GetButtonSize();
}

void CKitControl::Draw(CDC* pDC)
{
    if (CKitBarPainter* pPainter = GetPaintManager())
        pPainter->DrawControl(pDC, this, TRUE);
}

CKitBarPainter* CKitControl::GetPaintManager() const
{
    if (m_pParent != nullptr)
        return m_pParent->GetPaintManager();
    CKitThemeServices* pThemes = CKitThemeServices::Get();
    return pThemes != nullptr ? pThemes->GetDefaultBarPainter() : nullptr;
}

void CKitControl::OnExecute()
{
    CKitSoundPlayer::Instance()->PlaySystemSound(CKitSoundPlayer::kSoundMenuCommand);
    MarkExecuted();

    // The site may remove the control while it handles the command.
    InternalAddRef();
    CKitCommandBar* pParent = m_pParent;
    CWnd* pSite = pParent != nullptr ? pParent->GetSite() : nullptr;
    CKitCommandBarManager* pCommandBars = pParent != nullptr ? pParent->GetCommandBars() : nullptr;
    // Personalised menus show the used command, and the control that opened its popup, from now on.
    if (pCommandBars != nullptr) {
        pCommandBars->SetCommandUsed(m_nId);
        const auto* pPopupParent = dynamic_cast<const CKitPopupBar*>(pParent);
        if (pPopupParent != nullptr && pPopupParent->GetControlPopup() != nullptr)
            pCommandBars->SetCommandUsed(pPopupParent->GetControlPopup()->GetId());
    }
    // A popup menu tracked modally takes the command itself; its root is found before the popups close.
    CKitCommandBar* pRoot = pParent != nullptr ? pParent->GetRootParent() : nullptr;
    if (pRoot != nullptr)
        pRoot->InternalAddRef();
    auto closePopups = [pCommandBars]() {
        if (pCommandBars != nullptr)
            pCommandBars->ClosePopups();
        else
            CKitMouseManager::GetThreadManager()->SendTrackLostAll();
    };
    // A menu that returns its command closes whatever the control's own setting and only records the id.
    auto* pReturning = dynamic_cast<CKitPopupBar*>(pRoot);
    if (pReturning != nullptr && pReturning->HasReturnCommand()) {
        closePopups();
        pReturning->OnTrackedCommand(m_nId);
        pRoot->InternalRelease();
        InternalRelease();
        return;
    }
    BOOL bClosed = FALSE;
    if (m_bCloseSubMenuOnClick) {
        closePopups();
        bClosed = TRUE;
    }
    const BOOL bTaken = m_nId != 0 && pRoot != nullptr && pRoot->OnTrackedCommand(m_nId);
    if (!bTaken && m_nId != 0 && NotifySite(pSite, kitNotifyExecute) == 0 && pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->SendMessage(WM_COMMAND, MAKEWPARAM(m_nId, 0), 0);
    if (pRoot != nullptr)
        pRoot->InternalRelease();
    if (!(bClosed && m_nPressed == 0)) {
        m_nPressed = 0;
        if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr)
            m_pParent->OnIdleUpdateCmdUI();
        RedrawParent();
    }
    InternalRelease();
}

CKitImageManager* CKitControl::GetImageManager() const
{
    return m_pParent != nullptr ? m_pParent->GetImageManager() : CKitImageManager::Instance();
}

void CKitControl::MarkExecuted()
{
    const BOOL bInPopup = m_pParent != nullptr && m_pParent->GetPosition() == kitBarPopup;
    m_nPressed = bInPopup ? 0 : 2;
}

LRESULT CKitControl::NotifySite(CWnd* pSite, int nCode, NMKITCONTROL* pRecord)
{
    NMKITCONTROL record{};
    if (pRecord == nullptr)
        pRecord = &record;
    pRecord->hdr.hwndFrom = nullptr;
    pRecord->hdr.idFrom = m_nId;
    pRecord->hdr.code = static_cast<UINT>(nCode);
    pRecord->pControl = this;
    if (pSite == nullptr && m_pParent != nullptr)
        pSite = m_pParent->GetOwnerSite();
    if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr)
        return 0;
    const LRESULT lAnswer =
        pSite->SendMessage(WM_KIT_CONTROL_NOTIFY, m_nId, reinterpret_cast<LPARAM>(pRecord));
    if (lAnswer != 0 || m_pParent == nullptr)
        return lAnswer;
    LRESULT lResult = 0;
    AFX_NOTIFY notify{&lResult, &pRecord->hdr};
    if (!pSite->OnCmdMsg(m_nId, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr))
        return 0;
    return lResult;
}

void CKitControl::OnLButtonDown(CPoint pt)
{
    if (m_pParent != nullptr && m_pParent->IsCustomizeMode() && !IsCustomizeMovable())
        return;
    OnClick(FALSE, pt);
}

void CKitControl::OnMouseHover()
{
    if (m_pParent == nullptr)
        return;
    m_pParent->OpenPopupAt(-1);
    if (m_pParent->IsTrackingMode() == kitTrackingModePopup && m_pParent->GetPosition() != kitBarPopup)
        m_pParent->LeaveTrackingMode();
}

void CKitControl::RedrawParent(BOOL bAnimate)
{
    if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr && IsVisible())
        m_pParent->Redraw(&m_rcControl, bAnimate);
}

void CKitControl::MarkParentDirty()
{
    if (m_pParent != nullptr)
        m_pParent->DelayLayout();
}

BOOL CKitControl::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == kitRedrawCommandId && nCode == kitRedrawCommandCode) {
        RedrawParent();
        return TRUE;
    }
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CKitControl::IsCursorOver() const
{
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    m_pParent->ScreenToClient(&pt);
    return m_rcControl.PtInRect(pt);
}
