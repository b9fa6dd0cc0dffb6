#include "platform/web/BrowserControl.h"

#include "platform/ui/Text.h"
#include "platform/web/BrowserPage.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace web {

void CBrowserControl::PageRelease::operator()(CBrowserPage* page) const
{
    page->Release(nullptr);
}

CBrowserControl::CBrowserControl(QWidget* parent)
    : QWidget(parent)
    , m_page(new CBrowserPage(FrameIdentity::TopLevelOf(this), FrameIdentity::SubFrameOf(this)))
    , m_view(new QWebEngineView(this))
{
    m_view->setPage(m_page.get());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

CBrowserControl::~CBrowserControl()
{
    // The page decides when it and its view can go: a host may be destroying
    // this control from inside one of its events.
    m_page.release()->Release(m_view);
}

void CBrowserControl::Navigate2(const std::string& url)
{
    const QString text = ui::ToQString(url);
    const QUrl address(text);
    m_page->load(address.scheme().isEmpty() ? QUrl::fromUserInput(text) : address);
}

bool CBrowserControl::LoadPageText(FrameIdentity frame, std::string_view html)
{
    if (frame != Application())
        return false;
    m_page->LoadText(QByteArray(html.data(), static_cast<qsizetype>(html.size())));
    return true;
}

std::string CBrowserControl::LocationUrl() const
{
    return ui::FromQString(CBrowserPage::PublicUrl(m_page->url()));
}

std::string CBrowserControl::LocationName() const
{
    return ui::FromQString(CBrowserPage::PublicTitle(m_page->title()));
}

void CBrowserControl::SetBeforeNavigate2Handler(BeforeNavigate2Handler handler)
{
    m_page->beforeNavigate2 = std::move(handler);
}

void CBrowserControl::SetDocumentCompleteHandler(DocumentCompleteHandler handler)
{
    m_page->documentComplete = std::move(handler);
}

void CBrowserControl::SetTitleChangeHandler(TitleChangeHandler handler)
{
    m_page->titleChange = std::move(handler);
}

void CBrowserControl::SetNewWindowHandler(NewWindowHandler handler)
{
    m_page->newWindow = std::move(handler);
}

} // namespace web
