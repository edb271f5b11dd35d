#include "p4p/p4p_reader.hpp"

#include <gtest/gtest.h>

#include <string>

#include "core/failure.hpp"
#include "fields.hpp"

namespace korvaline {
namespace {

struct Fields {
    std::string title;
    std::string system_name;
    std::string centering_field;
    std::string laue_field;
    // "TARGET WAVELENGTH" or "none", then the SOURCE lines passed over, those
    // noted and how many in all, and the keys of lines with a tab among the
    // columns read: "CU 1.5 !3 of 4 tab TITLE"
    std::string source;

    bool operator==(const Fields&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Fields& f) {
    return out << "title '" << f.title << "' system '" << f.system_name << "' centering '"
               << f.centering_field << "' laue '" << f.laue_field << "' source '" << f.source
               << "'";
}

// The four fields as the scan leaves them, all their characters.
Fields scan(const std::string& p4p) {
    SetupRecord record;
    LineSource lines = LineSource::from_text(p4p);
    const P4pScan found = scan_p4p_lines(lines, record);
    std::string source =
        record.source ? record.source->target + " " + record.source->wavelength : "none";
    for (const std::size_t number : found.passed_over_sources) {
        source += " !" + std::to_string(number);
    }
    if (found.sources_passed_over > 0) {
        source += " of " + std::to_string(found.sources_passed_over);
    }
    for (const std::string& key : found.tabbed_keys) {
        source += " tab " + key;
    }
    return {std::string(record.title.text()), std::string(record.system_name.text()),
            std::string(record.centering_field.text()), std::string(record.laue_field.text()),
            source};
}

Fields fields(const std::string& title, const std::string& system, const std::string& centering,
              const std::string& laue, const std::string& source = "none") {
    return {pad(title, 22), pad(system, 20), pad(centering, 6), pad(laue, 7), source};
}

// Columns 1-7, 8-27 and 28-33, then text that is never used.
const std::string kBravais = "BRAVAIS" + pad(" Orthorhombic", 20) + pad("C", 6) + " extra";

TEST(P4pReaderTest, TakesFieldsByColumnsFromKeyedLines) {
    const struct {
        std::string what;
        std::string p4p;
        Fields expected;
    } cases[] = {
        {"all four fields, nothing read after SYMM",
         "FILEID junk\nTITLE Test compound\n" + kBravais + "\nSYMM   mmm\nTITLE later\n",
         fields("Test compound", " Orthorhombic", "C", "mmm")},
        {"CR LF lines read as LF lines",
         "TITLE Test compound\r\n" + kBravais + "\r\nSYMM   mmm\r\nTITLE later\r\n",
         fields("Test compound", " Orthorhombic", "C", "mmm")},
        {"file ending at its SYMM line without a line feed", "SYMM   -1", fields("", "", "", "-1")},
        {"SAINOV ends the scan before SYMM", "TITLE a\nSAINOVxyz\nSYMM   mmm\n",
         fields("a", "", "", "")},
        {"second TITLE and BRAVAIS lines replace the first",
         "TITLE first\nBRAVAIS Cubic              F\nTITLE second\nBRAVAIS\nSYMM   m3m\n",
         fields("second", "", "", "m3m")},
        {"title is columns 7-28, also after a leading blank",
         " TITLE12345678901234567890123456789\nSYMM   mmm\n",
         fields("1234567890123456789012", "", "", "mmm")},
        {"lower-case title line is passed over", "title x\nSYMM   mmm\n",
         fields("", "", "", "mmm")},
        {"SYMM within the key; Laue symbol in columns 8-14", "xxSYMM 4/mmmXXXXX\n",
         fields("", "", "", "4/mmmXX")},
        {"longer word starting with SYMM", "SYMMETRY 6/m\n", fields("", "", "", "Y 6/m")},
        {"BRAVAX is not a BRAVAIS line", "BRAVAX Cubic              F\nSYMM   m3\n",
         fields("", "", "", "m3")},
        {"9-character SYMM line fills with blanks", "SYMM   -3\n", fields("", "", "", "-3")},
        {"centering field reaches column 33",
         "BRAVAIS" + pad(" Cubic", 20) + "     F\nSYMM   m3m\n",
         fields("", " Cubic", "     F", "m3m")},
        {"30-character BRAVAIS line", "BRAVAIS" + std::string(20, 's') + "IAB\nSYMM\n",
         fields("", std::string(20, 's'), "IAB", "")},
        {"empty lines and others are passed over", "\n\nCELL 1 2 3\n  \nSYMM   mmm\n",
         fields("", "", "", "mmm")},
        {"TITLE wins over SYMM in the same key", "TITLE SYMM\nSYMM   mmm\n",
         fields("SYMM", "", "", "mmm")},
        {"columns past 33 are never stored",
         "BRAVAIS" + pad(" Monoclinic", 20) + "P     " + std::string(10'000, 'z') +
             "\nSYMM   2/mB\n",
         fields("", " Monoclinic", "P", "2/mB")},
        {"SOURCE before SYMM is read whole, its fields wherever they stand",
         "SOURCE" + std::string(40, ' ') + "cu\t 1.54184  1.54056 1.54439\nSYMM   mmm\n",
         fields("", "", "", "mmm", "CU 1.54184")},
        {"a later SOURCE line replaces an earlier one; none after SYMM is read",
         "SOURCE  MO  0.71073\nSOURCE Ag 5.6e-1\nSYMM   mmm\nSOURCE  CU  1.54184\n",
         fields("", "", "", "mmm", "AG 5.6e-1")},
        {"SOURCE lines without a target and a wavelength above 0 are passed over",
         "SOURCE  MO  0.71073\nSOURCE  CU\nSOURCE 1.54 CU\nSOURCE  C2  1.5\nSOURCE  CU  0\n"
         "SOURCE  CU  -1.5\nSOURCE  CU  1.5A\nSOURCEX CU 1.5\nsource CU 1.5\nSOURCE  CU  1E999\n"
         "SOURCE  CU" +
             std::string(4080, ' ') + "1.54184567\nSYMM   mmm\n",
         fields("", "", "", "mmm", "MO 0.71073 !2 of 9")},
        {"a wavelength that ends at column 4096 is taken, whatever follows",
         "SOURCE  CU" + std::string(4076, ' ') + "1.54184567 x\nSOURCE  AG" +
             std::string(4076, ' ') + "0.560875678\nSYMM   mmm\n",
         fields("", "", "", "mmm", "CU 1.54184567 !2 of 1")},
        {"a tab among the title's columns is told; one beyond them is not",
         "TITLE a\tb\nBRAVAIS" + pad(" Cubic", 26) + "\tF\nSYMM   m3m\n",
         fields("a\tb", " Cubic", "", "m3m", "none tab TITLE")},
        {"control characters in a title that a later one replaces, or beyond its columns",
         "TITLE b\x7f\nTITLE c" + std::string(25, ' ') + "\x1a\r\nSYMM   mmm\n",
         fields("c", "", "", "mmm")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scan(c.p4p), c.expected) << c.what;
    }
}

// Where each field came from: "TITLE BRAVAIS SOURCE SYMM" line numbers, 0
// for none, the later of two lines counting.
TEST(P4pReaderTest, KeepsTheLinesTheFieldsCameFrom) {
    const struct {
        std::string p4p;
        std::string lines;
    } cases[] = {
        {"FILEID junk\nTITLE x\n" + kBravais + "\nSOURCE  MO  0.71073\nSYMM   mmm\n", "2 3 4 5"},
        {"TITLE first\nTITLE second\nSOURCE  CU\nSYMM   m3m\nTITLE later\n", "2 0 0 4"},
        {"SOURCE  MO  0.7\nTITLE a\nSAINOVxyz\nSYMM   mmm\n", "2 0 1 0"},
    };
    for (const auto& c : cases) {
        SetupRecord record;
        LineSource lines = LineSource::from_text(c.p4p);
        scan_p4p_lines(lines, record);
        const P4pLineNumbers& n = record.p4p_lines;
        EXPECT_EQ(std::to_string(n.title) + " " + std::to_string(n.bravais) + " " +
                      std::to_string(n.source) + " " + std::to_string(n.symm),
                  c.lines)
            << c.p4p;
    }
}

TEST(P4pReaderTest, FileEndingBeforeSymmOrSainovIsAFailure) {
    const std::string cases[] = {"", "\n", "TITLE only\n", "TITLE x\n" + kBravais,
                                 "CELL 1\nsymm mmm\nSAINO\n"};
    for (const std::string& p4p : cases) {
        EXPECT_THROW(scan(p4p), Failure) << "'" << p4p << "'";
    }
}

}  // namespace
}  // namespace korvaline
