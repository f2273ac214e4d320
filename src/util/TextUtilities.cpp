#include "util/TextUtilities.h"

#include <QUrl>

#include <cstdint>
#include <iterator>
#include <optional>
#include <unordered_map>

namespace {

// The 252 character entity references of HTML 4.01 (Latin-1, special and symbol sets) plus
// "&apos;", ascending by code point.
const HtmlEntity kEntities[] = {
    {"&quot;", 34}, {"&amp;", 38}, {"&apos;", 39}, {"&lt;", 60}, {"&gt;", 62}, {"&nbsp;", 160},
    {"&iexcl;", 161}, {"&cent;", 162}, {"&pound;", 163}, {"&curren;", 164}, {"&yen;", 165},
    {"&brvbar;", 166}, {"&sect;", 167}, {"&uml;", 168}, {"&copy;", 169}, {"&ordf;", 170},
    {"&laquo;", 171}, {"&not;", 172}, {"&shy;", 173}, {"&reg;", 174}, {"&macr;", 175},
    {"&deg;", 176}, {"&plusmn;", 177}, {"&sup2;", 178}, {"&sup3;", 179}, {"&acute;", 180},
    {"&micro;", 181}, {"&para;", 182}, {"&middot;", 183}, {"&cedil;", 184}, {"&sup1;", 185},
    {"&ordm;", 186}, {"&raquo;", 187}, {"&frac14;", 188}, {"&frac12;", 189}, {"&frac34;", 190},
    {"&iquest;", 191}, {"&Agrave;", 192}, {"&Aacute;", 193}, {"&Acirc;", 194},
    {"&Atilde;", 195}, {"&Auml;", 196}, {"&Aring;", 197}, {"&AElig;", 198}, {"&Ccedil;", 199},
    {"&Egrave;", 200}, {"&Eacute;", 201}, {"&Ecirc;", 202}, {"&Euml;", 203}, {"&Igrave;", 204},
    {"&Iacute;", 205}, {"&Icirc;", 206}, {"&Iuml;", 207}, {"&ETH;", 208}, {"&Ntilde;", 209},
    {"&Ograve;", 210}, {"&Oacute;", 211}, {"&Ocirc;", 212}, {"&Otilde;", 213}, {"&Ouml;", 214},
    {"&times;", 215}, {"&Oslash;", 216}, {"&Ugrave;", 217}, {"&Uacute;", 218}, {"&Ucirc;", 219},
    {"&Uuml;", 220}, {"&Yacute;", 221}, {"&THORN;", 222}, {"&szlig;", 223}, {"&agrave;", 224},
    {"&aacute;", 225}, {"&acirc;", 226}, {"&atilde;", 227}, {"&auml;", 228}, {"&aring;", 229},
    {"&aelig;", 230}, {"&ccedil;", 231}, {"&egrave;", 232}, {"&eacute;", 233}, {"&ecirc;", 234},
    {"&euml;", 235}, {"&igrave;", 236}, {"&iacute;", 237}, {"&icirc;", 238}, {"&iuml;", 239},
    {"&eth;", 240}, {"&ntilde;", 241}, {"&ograve;", 242}, {"&oacute;", 243}, {"&ocirc;", 244},
    {"&otilde;", 245}, {"&ouml;", 246}, {"&divide;", 247}, {"&oslash;", 248}, {"&ugrave;", 249},
    {"&uacute;", 250}, {"&ucirc;", 251}, {"&uuml;", 252}, {"&yacute;", 253}, {"&thorn;", 254},
    {"&yuml;", 255}, {"&OElig;", 338}, {"&oelig;", 339}, {"&Scaron;", 352}, {"&scaron;", 353},
    {"&Yuml;", 376}, {"&fnof;", 402}, {"&circ;", 710}, {"&tilde;", 732}, {"&Alpha;", 913},
    {"&Beta;", 914}, {"&Gamma;", 915}, {"&Delta;", 916}, {"&Epsilon;", 917}, {"&Zeta;", 918},
    {"&Eta;", 919}, {"&Theta;", 920}, {"&Iota;", 921}, {"&Kappa;", 922}, {"&Lambda;", 923},
    {"&Mu;", 924}, {"&Nu;", 925}, {"&Xi;", 926}, {"&Omicron;", 927}, {"&Pi;", 928},
    {"&Rho;", 929}, {"&Sigma;", 931}, {"&Tau;", 932}, {"&Upsilon;", 933}, {"&Phi;", 934},
    {"&Chi;", 935}, {"&Psi;", 936}, {"&Omega;", 937}, {"&alpha;", 945}, {"&beta;", 946},
    {"&gamma;", 947}, {"&delta;", 948}, {"&epsilon;", 949}, {"&zeta;", 950}, {"&eta;", 951},
    {"&theta;", 952}, {"&iota;", 953}, {"&kappa;", 954}, {"&lambda;", 955}, {"&mu;", 956},
    {"&nu;", 957}, {"&xi;", 958}, {"&omicron;", 959}, {"&pi;", 960}, {"&rho;", 961},
    {"&sigmaf;", 962}, {"&sigma;", 963}, {"&tau;", 964}, {"&upsilon;", 965}, {"&phi;", 966},
    {"&chi;", 967}, {"&psi;", 968}, {"&omega;", 969}, {"&thetasym;", 977}, {"&upsih;", 978},
    {"&piv;", 982}, {"&ensp;", 8194}, {"&emsp;", 8195}, {"&thinsp;", 8201}, {"&zwnj;", 8204},
    {"&zwj;", 8205}, {"&lrm;", 8206}, {"&rlm;", 8207}, {"&ndash;", 8211}, {"&mdash;", 8212},
    {"&lsquo;", 8216}, {"&rsquo;", 8217}, {"&sbquo;", 8218}, {"&ldquo;", 8220},
    {"&rdquo;", 8221}, {"&bdquo;", 8222}, {"&dagger;", 8224}, {"&Dagger;", 8225},
    {"&bull;", 8226}, {"&hellip;", 8230}, {"&permil;", 8240}, {"&prime;", 8242},
    {"&Prime;", 8243}, {"&lsaquo;", 8249}, {"&rsaquo;", 8250}, {"&oline;", 8254},
    {"&frasl;", 8260}, {"&euro;", 8364}, {"&image;", 8465}, {"&weierp;", 8472},
    {"&real;", 8476}, {"&trade;", 8482}, {"&alefsym;", 8501}, {"&larr;", 8592},
    {"&uarr;", 8593}, {"&rarr;", 8594}, {"&darr;", 8595}, {"&harr;", 8596}, {"&crarr;", 8629},
    {"&lArr;", 8656}, {"&uArr;", 8657}, {"&rArr;", 8658}, {"&dArr;", 8659}, {"&hArr;", 8660},
    {"&forall;", 8704}, {"&part;", 8706}, {"&exist;", 8707}, {"&empty;", 8709},
    {"&nabla;", 8711}, {"&isin;", 8712}, {"&notin;", 8713}, {"&ni;", 8715}, {"&prod;", 8719},
    {"&sum;", 8721}, {"&minus;", 8722}, {"&lowast;", 8727}, {"&radic;", 8730}, {"&prop;", 8733},
    {"&infin;", 8734}, {"&ang;", 8736}, {"&and;", 8743}, {"&or;", 8744}, {"&cap;", 8745},
    {"&cup;", 8746}, {"&int;", 8747}, {"&there4;", 8756}, {"&sim;", 8764}, {"&cong;", 8773},
    {"&asymp;", 8776}, {"&ne;", 8800}, {"&equiv;", 8801}, {"&le;", 8804}, {"&ge;", 8805},
    {"&sub;", 8834}, {"&sup;", 8835}, {"&nsub;", 8836}, {"&sube;", 8838}, {"&supe;", 8839},
    {"&oplus;", 8853}, {"&otimes;", 8855}, {"&perp;", 8869}, {"&sdot;", 8901},
    {"&lceil;", 8968}, {"&rceil;", 8969}, {"&lfloor;", 8970}, {"&rfloor;", 8971},
    {"&lang;", 9001}, {"&rang;", 9002}, {"&loz;", 9674}, {"&spades;", 9824}, {"&clubs;", 9827},
    {"&hearts;", 9829}, {"&diams;", 9830},
};

// A name of at most 8 ASCII characters packed into one integer, so that a lookup costs no
// allocation. The longest name in the table ("thetasym") has 8 characters.
std::uint64_t packName(QStringView name)
{
    std::uint64_t key = 0;
    for (QChar c : name)
        key = (key << 8) | c.unicode();
    return key;
}

const std::unordered_map<std::uint64_t, char16_t>& entityIndex()
{
    static const std::unordered_map<std::uint64_t, char16_t> index = [] {
        std::unordered_map<std::uint64_t, char16_t> map;
        for (const HtmlEntity& entity : kEntities) {
            const QString reference = QString::fromLatin1(entity.reference);
            map.emplace(packName(QStringView(reference).mid(1, reference.size() - 2)), entity.character);
        }
        return map;
    }();
    return index;
}

std::optional<char16_t> namedReference(QStringView name)
{
    if (name.isEmpty() || name.size() > 8)
        return std::nullopt;
    for (QChar c : name) {
        if (c.unicode() == 0 || c.unicode() > 127)
            return std::nullopt;
    }
    const auto& index = entityIndex();
    const auto found = index.find(packName(name));
    if (found == index.end())
        return std::nullopt;
    return found->second;
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

qsizetype skipSpace(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return i;
}

// The digits must make up the whole text: leading white space and one "0x" are accepted.
std::optional<std::uint32_t> readHex(QStringView text)
{
    qsizetype i = skipSpace(text);
    if (i + 2 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')
        && hexValue(text[i + 2]) >= 0)
        i += 2;
    if (i == text.size())
        return std::nullopt;
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + std::uint32_t(digit); // at most 7 digits fit in a reference
    }
    return value;
}

// The digits must make up the whole text: leading white space and a sign are accepted.
std::optional<std::int64_t> readDecimal(QStringView text)
{
    qsizetype i = skipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < '0' || u > '9')
            return std::nullopt;
        value = value * 10 + (u - '0');
    }
    return negative ? -value : value;
}

// The character a candidate reference ("&...;", 4 to 10 characters) stands for.
std::optional<char16_t> decodeReference(QStringView candidate)
{
    const qsizetype length = candidate.size();
    if (candidate[1] == u'#') {
        std::int64_t value;
        if (candidate[2] == u'x' || candidate[2] == u'X') {
            const auto hex = readHex(candidate.mid(3, length - 4));
            if (!hex)
                return std::nullopt;
            value = *hex;
        } else {
            const auto decimal = readDecimal(candidate.mid(2, length - 3));
            if (!decimal)
                return std::nullopt;
            value = *decimal;
        }
        if (value < 1 || value > 0xFFFE)
            return std::nullopt;
        return char16_t(value);
    }
    return namedReference(candidate.mid(1, length - 2));
}

} // namespace

QString stringWithPercentEscape(const QString& text)
{
    // Qt keeps exactly the unreserved characters (letters, digits, "-", ".", "_", "~").
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString base64Encoding(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

QString gtm_stringByUnescapingFromHTML(const QString& text)
{
    qsizetype amp = text.indexOf(u'&');
    if (amp < 0)
        return text;

    // Each reference is judged on the input alone: it runs from its "&" to the first ";"
    // before the next "&". So one forward pass gives the same text as working from the last
    // "&" back to the first, without moving the tail of the text for every replacement.
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    while (amp >= 0) {
        const qsizetype next = text.indexOf(u'&', amp + 1);
        const qsizetype limit = next < 0 ? text.size() : next;
        const qsizetype semicolon = text.indexOf(u';', amp);
        if (semicolon >= 0 && semicolon < limit) {
            const qsizetype length = semicolon - amp + 1;
            if (length >= 4 && length <= 10) {
                if (const auto character = decodeReference(QStringView(text).mid(amp, length))) {
                    out.append(QStringView(text).mid(copied, amp - copied));
                    out.append(QChar(*character));
                    copied = semicolon + 1;
                }
            }
        }
        amp = next;
    }
    out.append(QStringView(text).mid(copied));
    return out;
}

QString urlPercentEscape(const QString& text)
{
    // Reserved and other characters that may stand in a URL stay; so does a "%" that
    // already starts an escape, so that a link the site escaped itself is not escaped twice.
    static const QByteArray kKept = "!#$&'()*+,/:;=?@";
    QString out;
    qsizetype segment = 0;
    for (qsizetype i = 0; i + 2 < text.size(); ++i) {
        if (text[i] == u'%' && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += QString::fromLatin1(QUrl::toPercentEncoding(text.mid(segment, i - segment), kKept));
            out += QStringView(text).mid(i, 3);
            segment = i + 3;
            i += 2;
        }
    }
    out += QString::fromLatin1(QUrl::toPercentEncoding(text.mid(segment), kKept));
    return out;
}

const HtmlEntity* htmlEntityTable()
{
    return kEntities;
}

std::size_t htmlEntityCount()
{
    return std::size(kEntities);
}
