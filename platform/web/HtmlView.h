#pragma once

// The HTML view: a view whose whole client area is a web browser control. The
// control's events arrive as the view's virtual functions; by default they
// change nothing, so navigations proceed and new windows open in the desktop's
// web browser.

#include "platform/ui/View.h"
#include "platform/web/FrameIdentity.h"

#include <string>
#include <string_view>

namespace web {

class CBrowserControl;

class CHtmlView : public ui::CView {
public:
    explicit CHtmlView(QWidget* parent = nullptr);
    ~CHtmlView() override;

    void Navigate2(const std::string& url);
    // The identity of the browser's top-level frame, for LoadPageText.
    FrameIdentity GetApplication() const;
    // See CBrowserControl::LoadPageText.
    bool LoadPageText(FrameIdentity frame, std::string_view html);
    std::string GetLocationURL() const;
    std::string GetLocationName() const;
    CBrowserControl& GetBrowser() const { return *m_browser; }

    virtual void OnBeforeNavigate2(const std::string& url, FrameIdentity frame, bool& cancel);
    virtual void OnDocumentComplete(FrameIdentity frame, const std::string& url);
    virtual void OnTitleChange(const std::string& title);
    virtual void OnNewWindow2(const std::string& url, bool& cancel);

private:
    CBrowserControl* m_browser;
};

} // namespace web
