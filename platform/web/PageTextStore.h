#pragma once

#include <QByteArray>
#include <QMutex>
#include <QPointer>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

#include <map>

namespace web {

// Serves the HTML texts handed to browser controls. Each control keeps one
// text under its own key; the text is served from an address of the page-text
// scheme, so pages of any size load (data: addresses stop at 2 MB).
class CPageTextStore : public QWebEngineUrlSchemeHandler {
public:
    // The one store of the process, owned by `profile`; null before Create.
    static CPageTextStore* Create(QObject* profile);
    static CPageTextStore* Instance();

    // Keeps `html` as the text of `key` and returns the address that serves it.
    QUrl Put(quint64 key, QByteArray html);
    void Remove(quint64 key);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    explicit CPageTextStore(QObject* profile);

    struct Entry {
        quint64 generation = 0;
        QByteArray html;
    };
    QMutex m_mutex;
    std::map<quint64, Entry> m_entries;
    static QPointer<CPageTextStore> s_instance;
};

} // namespace web
