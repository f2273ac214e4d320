#include "DemoTorrentNames.h"

#include "DemoCategory.h"

#include <iterator>

namespace {

const char* const kAdjectives[] = {
    "Silent", "Broken", "Crimson", "Last", "Hidden", "Iron", "Golden", "Lost", "Midnight",
    "Northern", "Burning", "Quiet", "Distant", "Wild", "Frozen", "Hollow", "Electric", "Velvet",
    "Forgotten", "Restless", "Bitter", "Secret", "Scarlet", "Endless",
};
const char* const kNouns[] = {
    "River", "Harbor", "Empire", "Garden", "Signal", "Frontier", "Orchard", "Kingdom", "Machine",
    "Lantern", "Compass", "Horizon", "Station", "Mountain", "Tide", "Archive", "Circus", "Valley",
    "Storm", "Citadel", "Voyage", "Mirror", "Engine", "Meadow",
};
// Titles that carry the characters the site writes as references.
const char* const kSpecialTitles[] = {
    "Fast & Loose", "The Captain's Log", "Rock & Roll High", "Say \"Cheese\"",
    "Don't Look Back", "Salt & Pepper", "Ocean's Edge", "The \"Perfect\" Crime",
    "Tom & Jerry's Road Trip", "Smith & Sons", "Amélie's Café", "Señor Müller's Garden",
    "It's Complicated", "Romeo & Juliet's Heirs",
};
const char* const kGroups[] = {
    "SPARKS", "FGT", "NTb", "DIMENSION", "KILLERS", "AMIABLE", "Tarnvale", "ViSiON", "PROPER",
    "REWARD", "GECKOS", "CODEX", "SKIDROW", "RELOADED",
};
const char* const kArtists[] = {
    "The Velvet Lanterns", "Mara Quinn", "Northbound", "DJ Halcyon", "The Paper Kites Club",
    "Ella & the Owls", "Sons O' Thunder", "Kasimir", "Blue Meridian", "Lena Varga",
    "The Harbour Lights", "Octavia Rhodes",
};
const char* const kMovieQualities[] = {
    "DVDRip XviD", "720p BluRay x264", "1080p BluRay x264", "BRRip XviD AC3", "DVDR", "TS XviD",
    "1080p WEB-DL H264",
};
const char* const kApps[] = {
    "PhotoForge", "CodeWeaver Studio", "AudioLab Pro", "ZipMaster", "Office Suite Deluxe",
    "VideoCutter", "Antivirus Shield", "Disk Doctor", "FontBox", "Map Explorer",
};
const char* const kAuthors[] = {
    "J. R. Harlow", "Anne Whitfield", "Marcus O'Neil", "Helena Brandt", "Tomas Varga",
    "Ruth Calloway", "Peter & Jane Ashby",
};

// Releases of free systems (name, versions) and a few series that run through the listing.
struct Release
{
    const char* format; // %1: the version
    const char* versions[3];
};
const Release kReleases[] = {
    {"Debian GNU/Linux %1 amd64 DVD", {"11.8", "12.2", "12.4"}},
    {"Ubuntu Linux %1 Desktop amd64", {"22.04.3 LTS", "23.04", "23.10"}},
    {"Linux Mint %1 Cinnamon 64-bit", {"21.1", "21.2", "21.3"}},
    {"Fedora Linux %1 Workstation x86_64", {"37", "38", "39"}},
    {"Arch Linux %1 x86_64", {"2023.10.14", "2023.11.01", "2023.12.01"}},
    {"FreeBSD %1-RELEASE amd64 disc1", {"12.4", "13.2", "14.0"}},
    {"OpenBSD %1 amd64 install", {"7.2", "7.3", "7.4"}},
    {"NetBSD %1 amd64 install", {"9.2", "9.3", "10.0 RC1"}},
};
const char* const kSeries[] = {
    "Northern Frontier", "The Hollow Citadel", "Station Meridian", "Harbour Lights", "Velvet Empire",
};
// The "Linux" sub-category of the applications.
constexpr int kLinuxSubCategory = 3;

} // namespace

QString DemoTorrentNames::title()
{
    if (pick(6) == 0)
        return any(kSpecialTitles);
    if (pick(3) == 0)
        return QStringLiteral("The %1 %2").arg(any(kAdjectives), any(kNouns));
    return QStringLiteral("%1 %2").arg(any(kAdjectives), any(kNouns));
}

QString DemoTorrentNames::group()
{
    return any(kGroups);
}

QString DemoTorrentNames::make(const DemoCategory& category)
{
    const QString code = category.code;
    if (code == "1")
        return QStringLiteral("%1 (%2) %3-%4").arg(title(), year(), any(kMovieQualities), group());
    if (code == "3") {
        return QStringLiteral("%1 S%2E%3 %4-%5")
            .arg(title())
            .arg(1 + pick(9), 2, 10, QLatin1Char('0'))
            .arg(1 + pick(22), 2, 10, QLatin1Char('0'))
            .arg(pick(2) ? "HDTV XviD" : "720p HDTV x264", group());
    }
    if (code == "2")
        return QStringLiteral("%1 - %2 (%3) [%4]")
            .arg(any(kArtists), title(), year(), pick(3) ? "MP3 320kbps" : "FLAC");
    if (code == "13")
        return QStringLiteral("%1 - %2 [Live %3] DVDRip").arg(any(kArtists), title(), year());
    if (code == "4")
        return QStringLiteral("%1 [PC] MULTi%2-%3").arg(title()).arg(2 + pick(8)).arg(group());
    if (code == "5")
        return QStringLiteral("%1 v%2.%3.%4 %5")
            .arg(any(kApps))
            .arg(1 + pick(12))
            .arg(pick(10))
            .arg(pick(400))
            .arg(pick(2) ? "x64" : "Portable");
    if (code == "11")
        return QStringLiteral("%1 - %2 (%3) [EPUB]").arg(any(kAuthors), title(), year());
    if (code == "17")
        return QStringLiteral("%1 - %2 [Unabridged MP3]").arg(any(kAuthors), title());
    if (code == "10")
        return QStringLiteral("%1 #%2 (%3) (digital)").arg(title()).arg(1 + pick(60)).arg(year());
    if (code == "9")
        return QStringLiteral("[%1] %2 - %3 [720p]")
            .arg(group(), title())
            .arg(1 + pick(26), 2, 10, QLatin1Char('0'));
    if (code == "8")
        return QStringLiteral("%1 Wallpaper Pack (%2 pictures)").arg(title()).arg(20 + pick(480));
    return QStringLiteral("%1 Collection %2").arg(title(), year());
}

QString DemoTorrentNames::recurring(const DemoCategory& category, int* subCategory)
{
    if (category.code == "5" && pick(5) < 3) {
        const Release& release = kReleases[pick(int(std::size(kReleases)))];
        if (subCategory)
            *subCategory = kLinuxSubCategory;
        return QString::fromUtf8(release.format).arg(QString::fromUtf8(release.versions[pick(3)]));
    }
    if (category.code == "3" && pick(2) == 0) {
        return QStringLiteral("%1 S%2E%3 %4-%5")
            .arg(any(kSeries))
            .arg(1 + pick(3), 2, 10, QLatin1Char('0'))
            .arg(1 + pick(13), 2, 10, QLatin1Char('0'))
            .arg(pick(2) ? "HDTV XviD" : "720p HDTV x264", group());
    }
    return QString();
}
