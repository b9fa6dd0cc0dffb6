#pragma once

// The web browser control: a widget that shows web pages, reports every
// navigation before it happens (so that a host can cancel it and act on
// command URLs such as "Tessel:execCommand(...)"), reports finished documents
// with the frame they belong to, and takes HTML text for its top-level frame.
// All texts crossing this interface are 8-bit, code page 936.

#include "platform/web/FrameIdentity.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QWebEngineView;

namespace web {

class CBrowserPage;

class CBrowserControl : public QWidget {
public:
    // `url` as the page asked for it; setting `cancel` leaves the current page where it is.
    using BeforeNavigate2Handler = std::function<void(const std::string& url, FrameIdentity frame, bool& cancel)>;
    // A frame finished loading its document (also after a failed load, which shows an error page).
    using DocumentCompleteHandler = std::function<void(FrameIdentity frame, const std::string& url)>;
    using TitleChangeHandler = std::function<void(const std::string& title)>;
    // The page asks for `url` in a new window. Unless cancelled, the desktop's web browser opens it.
    using NewWindowHandler = std::function<void(const std::string& url, bool& cancel)>;

    explicit CBrowserControl(QWidget* parent = nullptr);
    ~CBrowserControl() override;
    CBrowserControl(const CBrowserControl&) = delete;
    CBrowserControl& operator=(const CBrowserControl&) = delete;

    // Starts loading `url` (an address, or a local file path) into the
    // top-level frame; the before-navigate event sees it first.
    void Navigate2(const std::string& url);

    // Replaces the top-level document with `html`. The text is decoded as the
    // page's own <meta> charset says, else as code page 936. Returns false, and
    // changes nothing, when `frame` is not this control's top-level frame.
    bool LoadPageText(FrameIdentity frame, std::string_view html);

    // The identity of the top-level frame.
    FrameIdentity Application() const { return FrameIdentity::TopLevelOf(this); }

    // Address and title of the top-level document.
    std::string LocationUrl() const;
    std::string LocationName() const;

    void SetBeforeNavigate2Handler(BeforeNavigate2Handler handler);
    void SetDocumentCompleteHandler(DocumentCompleteHandler handler);
    void SetTitleChangeHandler(TitleChangeHandler handler);
    void SetNewWindowHandler(NewWindowHandler handler);

private:
    struct PageRelease {
        void operator()(CBrowserPage* page) const;
    };
    std::unique_ptr<CBrowserPage, PageRelease> m_page;
    QWebEngineView* m_view;
};

} // namespace web
