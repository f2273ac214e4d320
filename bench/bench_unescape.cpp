// Decoding HTML character references in 1 MB of text dense with them (names of torrents and
// cells as the site writes them).

#include "util/TextUtilities.h"

#include <benchmark/benchmark.h>

namespace {

QString denseText()
{
    const QString piece = QStringLiteral(
        "Tom &amp; Jerry &#8211; &quot;S01&quot; &lt;HD&gt; caf&eacute; &#x41;&#66; &nbsp;&copy;&thetasym; "
        "&bogus; &a&amp; &#65535; R&amp;B &euro;5 ");
    QString text;
    text.reserve(1 << 20);
    while (text.size() + piece.size() <= (1 << 20))
        text += piece;
    return text;
}

void BM_UnescapeDense1MB(benchmark::State& state)
{
    const QString text = denseText();
    for (auto _ : state) {
        QString decoded = gtm_stringByUnescapingFromHTML(text);
        benchmark::DoNotOptimize(decoded.data());
    }
    // The text is ASCII: one byte per character.
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}

BENCHMARK(BM_UnescapeDense1MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
