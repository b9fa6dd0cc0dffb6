#include "platform/web/PageTextStore.h"

#include "platform/web/BrowserEngine.h"

#include <QBuffer>
#include <QMutexLocker>
#include <QWebEngineUrlRequestJob>

namespace web {

namespace {

// A <meta> charset within the first 1024 bytes, where the engine looks for one.
bool DeclaresCharset(const QByteArray& html)
{
    const QByteArray head = html.left(1024).toLower();
    for (qsizetype meta = head.indexOf("<meta"); meta >= 0; meta = head.indexOf("<meta", meta + 1)) {
        const qsizetype end = head.indexOf('>', meta);
        if (head.mid(meta, end < 0 ? -1 : end - meta).contains("charset"))
            return true;
    }
    return false;
}

} // namespace

QPointer<CPageTextStore> CPageTextStore::s_instance;

CPageTextStore::CPageTextStore(QObject* profile)
    : QWebEngineUrlSchemeHandler(profile)
{
}

CPageTextStore* CPageTextStore::Create(QObject* profile)
{
    s_instance = new CPageTextStore(profile);
    return s_instance;
}

CPageTextStore* CPageTextStore::Instance()
{
    return s_instance;
}

QUrl CPageTextStore::Put(quint64 key, QByteArray html)
{
    QMutexLocker lock(&m_mutex);
    Entry& entry = m_entries[key];
    ++entry.generation;
    entry.html = std::move(html);
    // A new address for every text, so the engine never shows an older one from its cache.
    return QUrl(
        QStringLiteral("%1://text/%2/%3").arg(QLatin1String(engine::PageTextScheme)).arg(key).arg(entry.generation));
}

void CPageTextStore::Remove(quint64 key)
{
    QMutexLocker lock(&m_mutex);
    m_entries.erase(key);
}

void CPageTextStore::requestStarted(QWebEngineUrlRequestJob* job)
{
    // Texts are for the controls that loaded them, not for other pages to fetch.
    const QUrl initiator = job->initiator();
    if (!initiator.isEmpty() && !engine::IsPageTextUrl(initiator)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QStringList parts = job->requestUrl().path().mid(1).split(QLatin1Char('/'));
    bool keyOk = false;
    bool generationOk = false;
    const quint64 key = parts.value(0).toULongLong(&keyOk);
    const quint64 generation = parts.value(1).toULongLong(&generationOk);

    QByteArray html;
    {
        QMutexLocker lock(&m_mutex);
        const auto found = m_entries.find(key);
        if (!keyOk || !generationOk || parts.size() != 2 || found == m_entries.end()
            || found->second.generation != generation) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        html = found->second.html;
    }
    auto* buffer = new QBuffer(job);
    // The page's own <meta> charset wins; anything else is in the suite's code
    // page, which is said outright because the engine would otherwise guess.
    const bool ownCharset = DeclaresCharset(html);
    buffer->setData(html);
    job->reply(ownCharset ? QByteArrayLiteral("text/html") : QByteArrayLiteral("text/html;charset=GBK"), buffer);
}

} // namespace web
