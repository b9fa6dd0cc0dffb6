#pragma once

// An object that exists once per process. Every component carries its own
// copy of this library, yet window handles and the test hook must be the same
// for all of them; Qt is shared by all, so the first copy that needs the
// object publishes it as a property of the application object and later
// copies take it from there. The object lives until the process ends.

#include <QCoreApplication>
#include <QVariant>

#include <atomic>
#include <mutex>

namespace ui {

template <typename T> T& ProcessWide(const char* key)
{
    static std::atomic<T*> cached { nullptr };
    if (T* found = cached.load())
        return *found;
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    if (T* found = cached.load())
        return *found;
    T* instance = nullptr;
    QCoreApplication* application = QCoreApplication::instance();
    if (application) {
        QVariant published = application->property(key);
        if (published.isValid())
            instance = reinterpret_cast<T*>(published.value<quintptr>());
    }
    if (!instance) {
        // Owned by the process: other copies of the library may hold it at
        // any time until the end.
        instance = new T();
        if (application)
            application->setProperty(key, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(instance)));
    }
    cached = instance;
    return *instance;
}

} // namespace ui
