// The three colour palettes of the colour selector. Entries are upper-case hex without "#";
// "CLEAR0" (transparent) always comes first.
#include "editions/Palettes.h"

#include <algorithm>
#include <iterator>

namespace {

// Named colours, each followed by its darker shades, grouped by hue; then a grey ramp. Seven colours
// repeat one earlier in the list (entries 226, 260, 425, 456, 511, 549 and 551, counted from 1); the
// selector offers them twice, at both places.
const char* const kLarge[] = {
    "CLEAR0", "B0171F", "DC143C", "FFB6C1", "FFAEB9", "EEA2AD", "CD8C95", "8B5F65", "FFC0CB", "FFB5C5",
    "DB7093", "CC6889", "B05A76", "773D50", "FFF0F5", "EEE0E4", "CDC1C5", "8B8386", "FF69B4", "EE62A8",
    "CD5491", "8B3962", "FF1493", "EE1389", "CD1076", "8B0B50", "C71585", "B9147C", "A0116B", "6C0B48",
    "DA70D6", "CB68C7", "AF5AAC", "773D75", "FF00FF", "EE00EE", "CD00CD", "8B008B", "EE82EE", "DE79DE",
    "BF69BF", "824782", "DDA0DD", "CE95CE", "B281B2", "785778", "D8BFD8", "C9B2C9", "AE9AAE", "766876",
    "820082", "700070", "4C004C", "800080", "770077", "670067", "460046", "BA55D3", "AD4FC5", "9644AA",
    "652E73", "9400D3", "8A00C5", "7700AA", "510073", "9932CC", "8F2FBE", "7B28A4", "531B6F", "4B0082",
    "460079", "3C0069", "290047", "8A2BE2", "8128D3", "6F23B6", "4B177B", "9370DB", "8968CC", "765AB0",
    "503D77", "7B68EE", "7361DE", "6354BF", "433982", "483D8B", "3A3170", "27214C", "6A5ACD", "5548A5",
    "0000FF", "0000EE", "0000CD", "00008B", "F8F8FF", "E7E7EE", "C7C7CD", "87878B", "E6E6FA", "D6D6E9",
    "B9B9C9", "7D7D88", "0000BF", "0000A5", "000070", "000082", "00004C", "000080", "000077", "000067",
    "000046", "191970", "171768", "14145A", "0E0E3D", "4169E1", "3D62D2", "3454B5", "23397B", "6495ED",
    "5D8BDD", "5078BF", "375181", "B0C4DE", "A4B7CF", "8E9EB2", "606B79", "778899", "6F7F8F", "606D7B",
    "414A53", "708090", "687786", "5A6774", "3D464E", "1E90FF", "1C86EE", "1874CD", "104E8B", "F0F8FF",
    "E0E7EE", "C1C7CD", "83878B", "4682B4", "4179A8", "386991", "264762", "87CEFA", "7EC0E9", "6DA6C9",
    "4A7088", "87CEEB", "7EC0DB", "6DA6BD", "4A7080", "00BFFF", "00B2EE", "009ACD", "00688B", "ADD8E6",
    "A1C9D6", "8BAEB9", "5E767D", "B0E0E6", "A4D1D6", "8EB4B9", "607A7D", "5F9EA0", "599395", "4C7F81",
    "345657", "00CED1", "00C0C3", "00A6A8", "007072", "00FFFF", "00EEEE", "00CDCD", "008B8B", "E0FFFF",
    "D1EEEE", "B4CDCD", "7A8B8B", "F0FFFF", "E0EEEE", "C1CDCD", "838B8B", "AFEEEE", "A3DEDE", "8DBFBF",
    "5F8282", "008282", "007070", "004C4C", "008080", "007777", "006767", "004646", "2F4F4F", "2C4A4A",
    "264040", "1A2B2B", "48D1CC", "43C3BE", "3AA8A4", "27726F", "20B2AA", "1EA69E", "1A8F89", "11615D",
    "40E0D0", "3CD1C2", "33B4A7", "237A71", "7FFFD4", "76EEC6", "66CDAA", "458B74", "5FBF9E", "52A589",
    "38705D", "00FA9A", "00E990", "808000", "800000", "800000", "F5FFFA", "E4EEE9", "C5CDC9", "868B88",
    "00FF7F", "00EE76", "00CD66", "008B45", "3CB371", "38A769", "30905B", "21623E", "2E8B57", "2B8251",
    "257046", "194C2F", "00FF00", "00EE00", "00CD00", "008B00", "F0FFF0", "E0EEE0", "C1CDC1", "838B83",
    "98FB98", "8EEA8E", "7ACA7A", "538953", "90EE90", "86DE86", "74BF74", "4E824E", "32CD32", "808000",
    "2FBF2F", "28A528", "1B701B", "8FBC8F", "85AF85", "739773", "4E664E", "228B22", "208220", "134C13",
    "008000", "007700", "006700", "004600", "006400", "005D00", "005000", "003700", "7CFC00", "74EB00",
    "64CB00", "448900", "7FFF00", "76EE00", "66CD00", "458B00", "ADFF2F", "A1EE2C", "8BCD26", "5E8B1A",
    "556B2F", "4F642C", "445626", "2E3A1A", "9ACD32", "90BF2F", "7CA528", "54701B", "6B8E23", "648421",
    "56721C", "3A4D13", "FFFF00", "EEEE00", "CDCD00", "8B8B00", "FFFFE0", "EEEED1", "CDCDB4", "8B8B7A",
    "FFFFF0", "EEEEE0", "CDCDC1", "8B8B83", "FAFAD2", "E9E9C4", "C9C9A9", "888872", "F5F5DC", "E4E4CD",
    "C5C5B1", "868678", "BDB76B", "B0AB64", "989356", "67643A", "EEE8AA", "DED89E", "BFBB89", "827E5D",
    "F0E68C", "E0D682", "C1B971", "837D4C", "FFFACD", "EEE9BF", "CDC9A5", "8B8870", "FFD700", "EEC800",
    "CDAD00", "8B7500", "FFF8DC", "EEE7CD", "CDC7B1", "8B8778", "DAA520", "CB9A1E", "AF851A", "775A11",
    "B8860B", "AB7D0A", "946C09", "644906", "FFFAF0", "EEE9E0", "CDC9C1", "8B8883", "FDF5E6", "ECE4D6",
    "CBC5B9", "8A867D", "F5DEB3", "E4CFA7", "C5B290", "867962", "FFA500", "EE9A00", "CD8500", "8B5A00",
    "FFE4B5", "EED4A9", "CDB792", "8B7C63", "FFEFD5", "EEDFC7", "CDC0AB", "8B8274", "FFEBCD", "EEDBBF",
    "CDBDA5", "8B8070", "FFDEAD", "EECFA1", "CDB28B", "8B795E", "D2B48C", "C4A882", "A99171", "72624C",
    "FAEBD7", "E9DBC8", "C9BDAD", "888075", "DEB887", "CFAB7E", "B2946D", "79644A", "FF8C00", "EE8200",
    "CD7100", "8B4C00", "FFE4C4", "EED4B7", "CDB79E", "8B7C6B", "FAF0E6", "E9E0D6", "C9C1B9", "88837D",
    "CD853F", "BF7C3B", "A56B33", "704822", "FFDAB9", "EECBAC", "CDAF95", "8B7765", "F4A460", "E39959",
    "C4844D", "855934", "D2691E", "C4621C", "800000", "A95418", "723910", "8B4513", "824012", "70370F",
    "4C260A", "FFF5EE", "EEE4DE", "CDC5BF", "8B8682", "A0522D", "954C2A", "814224", "572D19", "FFA07A",
    "EE9572", "CD8162", "8B5742", "FF4500", "EE4000", "CD3700", "8B2600", "FF7F50", "EE764B", "CD6640",
    "8B452C", "E9967A", "D98C72", "F5F5F5", "696969", "F5F5F5", "F2F2F2", "F0F0F0", "EDEDED", "EBEBEB",
    "E8E8E8", "E6E6E6", "E3E3E3", "E1E1E1", "DEDEDE", "DCDCDC", "D9D9D9", "D6D6D6", "D4D4D4", "D1D1D1",
    "CFCFCF", "CCCCCC", "CACACA", "C7C7C7", "C5C5C5", "C2C2C2", "C0C0C0", "BDBDBD", "BABABA", "B8B8B8",
    "B5B5B5", "B3B3B3", "B0B0B0", "AEAEAE", "ABABAB", "A9A9A9", "A6A6A6", "A4A4A4", "A1A1A1", "9E9E9E",
    "9C9C9C", "999999", "979797", "949494", "929292", "8F8F8F", "8D8D8D", "8A8A8A", "888888", "858585",
    "828282", "808080", "7D7D7D", "7B7B7B", "787878", "767676", "737373", "717171", "6E6E6E", "6C6C6C",
    "696969", "666666", "646464", "616161", "5F5F5F", "5C5C5C", "5A5A5A", "575757", "555555", "525252",
    "4F4F4F", "4D4D4D", "4A4A4A", "484848", "454545", "434343", "404040", "3E3E3E", "3B3B3B", "383838",
    "363636", "333333", "303030", "2E2E2E", "2C2C2C", "292929", "262626", "242424", "212121", "1F1F1F",
    "1C1C1C", "1A1A1A", "171717", "151515", "121212", "0F0F0F", "0D0D0D", "0A0A0A", "808080", "505050",
    "303030",
};

constexpr int kLargeRepeats[] = {226, 260, 425, 456, 511, 549, 551};

// Greys, then the named web colours by hue from pink round to red.
const char* const kSmall[] = {
    "CLEAR0", "FFFFFF", "F5F5F5", "DCDCDC", "D3D3D3", "C0C0C0", "555555", "808080", "696969", "000000",
    "FFB6C1", "FFC0CB", "DC143C", "DB7093", "FFF0F5", "FF69B4", "FF1493", "C71585", "DA70D6", "FF00FF",
    "EE82EE", "DDA0DD", "D8BFD8", "8B008B", "800080", "BA55D3", "9400D3", "9932CC", "4B0082", "8A2BE2",
    "9370DB", "7B68EE", "483D8B", "6A5ACD", "0000FF", "F8F8FF", "E6E6FA", "0000CD", "00008B", "000080",
    "191970", "4169E1", "6495ED", "B0C4DE", "778899", "708090", "1E90FF", "F0F8FF", "4682B4", "87CEFA",
    "87CEEB", "00BFFF", "ADD8E6", "B0E0E6", "5F9EA0", "00CED1", "00FFFF", "E0FFFF", "F0FFFF", "AFEEEE",
    "008B8B", "008080", "2F4F4F", "48D1CC", "20B2AA", "40E0D0", "7FFFD4", "66CDAA", "00FA9A", "F5FFFA",
    "00FF7F", "3CB371", "2E8B57", "00FF00", "F0FFF0", "98FB98", "90EE90", "32CD32", "8FBC8F", "228B22",
    "008000", "006400", "7CFC00", "7FFF00", "ADFF2F", "556B2F", "9ACD32", "6B8E23", "FFFF00", "FFFFE0",
    "FFFFF0", "FAFAD2", "F5F5DC", "808000", "BDB76B", "EEE8AA", "F0E68C", "FFFACD", "FFD700", "FFF8DC",
    "DAA520", "B8860B", "FFFAF0", "FDF5E6", "F5DEB3", "FFA500", "FFE4B5", "FFEFD5", "FFEBCD", "FFDEAD",
    "D2B48C", "FAEBD7", "DEB887", "FF8C00", "FFE4C4", "FAF0E6", "CD853F", "FFDAB9", "F4A460", "D2691E",
    "8B4513", "FFF5EE", "A0522D", "FFA07A", "FF4500", "FF7F50", "E9967A", "FF6347", "FA8072", "FFE4E1",
    "FF0000", "FFFAFA", "F08080", "CD5C5C", "BC8F8F", "A52A2A", "B22222", "8B0000", "800000", "CC0000",
};

QStringList toList(const char* const* begin, const char* const* end)
{
    QStringList list;
    list.reserve(int(end - begin));
    for (auto p = begin; p != end; ++p)
        list.append(QString::fromLatin1(*p));
    return list;
}

} // namespace

const QStringList& Palettes::large()
{
    static const QStringList list = toList(std::begin(kLarge), std::end(kLarge));
    return list;
}

const QStringList& Palettes::largeWithoutRepeats()
{
    static const QStringList list = [] {
        QStringList result;
        const QStringList& all = large();
        for (int i = 0; i < all.size(); ++i) {
            if (std::find(std::begin(kLargeRepeats), std::end(kLargeRepeats), i + 1) ==
                std::end(kLargeRepeats))
                result.append(all.at(i));
        }
        return result;
    }();
    return list;
}

const QStringList& Palettes::small()
{
    static const QStringList list = toList(std::begin(kSmall), std::end(kSmall));
    return list;
}
