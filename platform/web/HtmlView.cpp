#include "platform/web/HtmlView.h"

#include "platform/web/BrowserControl.h"

#include <QVBoxLayout>

namespace web {

CHtmlView::CHtmlView(QWidget* parent)
    : CView(parent)
    , m_browser(new CBrowserControl(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);

    m_browser->SetBeforeNavigate2Handler(
        [this](const std::string& url, FrameIdentity frame, bool& cancel) { OnBeforeNavigate2(url, frame, cancel); });
    m_browser->SetDocumentCompleteHandler(
        [this](FrameIdentity frame, const std::string& url) { OnDocumentComplete(frame, url); });
    m_browser->SetTitleChangeHandler([this](const std::string& title) { OnTitleChange(title); });
    m_browser->SetNewWindowHandler([this](const std::string& url, bool& cancel) { OnNewWindow2(url, cancel); });
}

CHtmlView::~CHtmlView() = default;

void CHtmlView::Navigate2(const std::string& url)
{
    m_browser->Navigate2(url);
}

FrameIdentity CHtmlView::GetApplication() const
{
    return m_browser->Application();
}

bool CHtmlView::LoadPageText(FrameIdentity frame, std::string_view html)
{
    return m_browser->LoadPageText(frame, html);
}

std::string CHtmlView::GetLocationURL() const
{
    return m_browser->LocationUrl();
}

std::string CHtmlView::GetLocationName() const
{
    return m_browser->LocationName();
}

void CHtmlView::OnBeforeNavigate2(const std::string&, FrameIdentity, bool&)
{
}

void CHtmlView::OnDocumentComplete(FrameIdentity, const std::string&)
{
}

void CHtmlView::OnTitleChange(const std::string&)
{
}

void CHtmlView::OnNewWindow2(const std::string&, bool&)
{
}

} // namespace web
