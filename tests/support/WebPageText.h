#pragma once

#include <QTest>
#include <QWebEnginePage>

#include <memory>

// The text a web page shows (its body's innerText), waited for; empty when the page's
// script did not answer in time. Header only: the support library is not built with the
// web engine, only the screen tests are.
inline QString webPageText(QWebEnginePage* page, int timeoutMs = 30000)
{
    // Shared with the callback, which may come after a time-out.
    auto answer = std::make_shared<std::optional<QString>>();
    page->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"),
                        [answer](const QVariant& value) { *answer = value.toString(); });
    (void)QTest::qWaitFor([&] { return answer->has_value(); }, timeoutMs);
    return answer->value_or(QString());
}
