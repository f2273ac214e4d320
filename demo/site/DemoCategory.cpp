#include "DemoCategory.h"

const QList<DemoCategory>& DemoCategory::all()
{
    static const QList<DemoCategory> categories = {
        {"5", "Applications", "apps.gif", true,
         {"Windows", "Mac", "Linux", "Mobile", "Docs & Guides"}, 0x3a7bd5},
        {"17", "Audio Books", "audiobooks.gif", true, {"Fiction", "Non-fiction", "Kids"}, 0x8e5ea2, true},
        {"11", "Books", "books.gif", true, {"Ebooks", "Magazines", "Textbooks", "Comics & Graphic"},
         0x9c6b30},
        {"10", "Comics", "comics.gif", true, {"Western", "Manga", "Strips"}, 0xe8a33d, true},
        {"4", "Games", "games.gif", true, {"PC", "Console", "Retro", "Mods & Patches"}, 0x2e9e4f},
        {"9", "Japanese Anime", "anime.gif", true, {"Series", "Movies", "OVA"}, 0xd6458b},
        {"6", "Miscellaneous", "misc.gif", false, {"Other", "Tutorials", "Wallpapers"}, 0x7f8c8d},
        {"1", "Movies", "movies.gif", true,
         {"DVD-Rip", "HD 720p", "HD 1080p", "BluRay", "DVD-R", "Cam & TS"}, 0xc0392b},
        {"2", "Music", "music.gif", false, {"MP3", "FLAC", "Soundtracks", "Live & Bootlegs"},
         0x16a085},
        {"13", "Music Videos", "musicvideos.gif", false, {"Concerts", "Clips"}, 0x1abc9c},
        {"8", "Pictures", "pictures.gif", false, {"Photography", "Art", "Wallpapers"}, 0xf39c12},
        {"3", "TV", "tv.gif", true, {"Episodes", "Full Seasons", "HD", "Documentaries"}, 0x2c3e50},
    };
    return categories;
}

const DemoCategory* DemoCategory::byCode(const QString& code)
{
    for (const DemoCategory& category : all()) {
        if (category.code == code)
            return &category;
    }
    return nullptr;
}

const QList<QPair<QString, QString>>& DemoCategory::languages()
{
    static const QList<QPair<QString, QString>> languages = {
        {"19", "Arabic"},   {"20", "Bulgarian"},  {"12", "Chinese"},   {"14", "Croatian"},
        {"13", "Czech"},    {"11", "Danish"},     {"5", "Dutch"},      {"1", "English"},
        {"32", "Estonian"}, {"29", "Farsi"},      {"33", "Finnish"},   {"3", "French"},
        {"22", "German"},   {"24", "Greek"},      {"23", "Hebrew"},    {"31", "Hindi"},
        {"15", "Hungarian"}, {"4", "Italian"},    {"6", "Japanese"},   {"21", "Korean"},
        {"28", "Kurdish"},  {"25", "Malayalam"},  {"7", "Norwegian"},  {"16", "Polish"},
        {"8", "Portuguese"}, {"9", "Romanian"},   {"18", "Russian"},   {"30", "Serbian"},
        {"26", "Slovenian"}, {"2", "Spanish"},    {"10", "Swedish"},   {"17", "Thai"},
        {"27", "Turkish"},
    };
    return languages;
}
