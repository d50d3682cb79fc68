// TXString's limits and reports: growth, the Pascal view of long texts,
// character access, Mid, searching, comparing and Format's bound.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "StringTestSupport.h"
#include "interface/KSKludgeRecords.h"

namespace {

// The buffer operations below the public face.
class TXStringProbe : public TXString {
public:
    using TXString::EnsureSize;
    using TXString::ReallocBuffer;
    using TXString::TXString;
};

TEST(TXStringBuffer, EmptyHas32BytesAndGrowsTo48For31Characters) {
    TXString s;
    EXPECT_EQ(s.BufferSize(), 32u);
    EXPECT_EQ(LengthByte(s), 0u);
    EXPECT_EQ(s.CString()[0], '\0');
    s.Append(std::string(30, 'a').c_str());
    EXPECT_EQ(s.BufferSize(), 32u);
    s.Append('a');
    EXPECT_EQ(s.BufferSize(), 48u);
    EXPECT_EQ(s.GetLength(), 31u);
}

TEST(TXStringBuffer, ConstructorsSizeForTheirSource) {
    EXPECT_EQ(TXString("").BufferSize(), 16u);
    EXPECT_EQ(TXString(std::string(14, 'x').c_str()).BufferSize(), 16u);
    EXPECT_EQ(TXString(std::string(15, 'x').c_str()).BufferSize(), 32u);
    EXPECT_EQ(TXString('x', 100).BufferSize(), 112u);
    const unsigned char ps[] = {3, 'a', 'b', 'c'};
    EXPECT_EQ(Text(TXString(ps)), "abc");
    TXString copy(TXString("copied"));
    EXPECT_EQ(Text(copy), "copied");
    EXPECT_TRUE(TXString(static_cast<const char*>(nullptr)).IsEmpty());
}

TEST(TXStringBuffer, ClearFalseAndFormatTrimToTheText) {
    TXString s(std::string(100, 'x').c_str());
    s.Clear(true);
    EXPECT_EQ(s.BufferSize(), 112u);
    s.Clear(false);
    EXPECT_EQ(s.BufferSize(), 2u);
    s.Format("%05d", 42);
    EXPECT_EQ(Text(s), "00042");
    EXPECT_EQ(s.BufferSize(), 7u);
}

TEST(TXStringBuffer, SizesBeyond32BitsAreRefusedNotWrapped) {
    TXStringProbe s("abc");
    EXPECT_FALSE(s.EnsureSize(0xFFFFFFFEu));
    EXPECT_FALSE(s.Reserve(0xFFFFFFFFu));
    s.SetLength(0xFFFFFFFFu, 'x');
    EXPECT_EQ(Text(s), "abc");
    EXPECT_EQ(s.BufferSize(), 16u);
    // Built with such a size: empty, with the smallest buffer, and usable.
    TXString repeated('x', 0xFFFFFFFFu);
    TXString reserved(TDebugObject(), 0xFFFFFFEFu);
    for (TXString* built : {&repeated, &reserved}) {
        ASSERT_EQ(built->BufferSize(), 16u);
        EXPECT_STREQ(built->CString(), "");
        built->Append("usable");
        EXPECT_EQ(Text(*built), "usable");
    }
}

TEST(TXStringBuffer, TooSmallReallocationIsReportedAndKeepsTheFraming) {
    DebugCapture capture;
    TXStringProbe s;
    s.Clear(true);
    EXPECT_TRUE(s.ReallocBuffer(1));
    EXPECT_TRUE(Reported(capture,
                         "TXString buffer must be large enough to hold Pascal length byte and C "
                         "terminator (newSize = 1)"));
    EXPECT_EQ(s.BufferSize(), 2u);
    EXPECT_EQ(s.CString()[0], '\0');
}

TEST(TXStringAccess, PascalViewOfALongTextSays255AndIsReported) {
    DebugCapture capture;
    TXString s(HeardOwner(), std::string(300, 'p').c_str());
    EXPECT_EQ(s.PascalString()[0], 255);
    EXPECT_TRUE(Reported(capture, "You are trying to convert to a Pascal string > 255 characters (300 to be exact)."));
    unsigned char ps[256];
    s.CopyTo(ps);
    EXPECT_EQ(ps[0], 255);
    EXPECT_EQ(ps[255], 'p');
}

TEST(TXStringAccess, CharactersInsideTheTextOrTheTerminator) {
    DebugCapture capture;
    TXString s(HeardOwner(), "abc");
    EXPECT_EQ(*s.CharPtrAt(2), 'c');
    EXPECT_EQ(*s.CharPtrAt(3, true), '\0');
    EXPECT_EQ(s[1], 'b');
    EXPECT_FALSE(Reported(capture, "bAllowNull"));
    *s.CharPtrAt(3) = 'X';  // out of range: lands in the scratch byte
    EXPECT_TRUE(Reported(capture, "(bAllowNull ? nIndex <= fLength : nIndex < fLength)"));
    EXPECT_EQ(Text(s), "abc");
    EXPECT_EQ(s[7], '\0');
}

TEST(TXStringAccess, SetCharAtReplacesAppendsOrRefuses) {
    DebugCapture capture;
    TXString s(HeardOwner(), "abc");
    s.SetCharAt(0, 'A');
    s.SetCharAt(3, 'd');
    EXPECT_EQ(Text(s), "Abcd");
    s.SetCharAt(5, 'z');
    EXPECT_EQ(Text(s), "Abcd");
    EXPECT_TRUE(Reported(capture, "TXString: Trying to set character beyond end of string."));
}

TEST(TXStringAccess, CopyToWritesTheCForm) {
    TXString s("copy me");
    char sz[8];
    s.CopyTo(sz);
    EXPECT_STREQ(sz, "copy me");
}

TEST(TXStringEdit, MidLimitsAreReportedAndClamped) {
    DebugCapture capture;
    TXString s(HeardOwner(), "abcde");
    const TXString tail = s.Mid(2, 100);
    EXPECT_EQ(Text(tail), "cde");
    EXPECT_TRUE(Reported(capture, "nFirst + nCount <= fLength"));
    EXPECT_STREQ(tail.Name(), "StringTester");  // the result reports to the same owner
    capture.Clear();
    EXPECT_TRUE(s.Mid(5, 1).IsEmpty());
    EXPECT_TRUE(Reported(capture, "nFirst < fLength"));
    EXPECT_EQ(Text(s.Left(2)), "ab");
    EXPECT_EQ(Text(s.Right(2)), "de");
    EXPECT_EQ(Text(s.Right(9)), "abcde");
    EXPECT_EQ(Text(s.Mid(1)), "bcde");
}

TEST(TXStringEdit, InsertAndDeletePositions) {
    DebugCapture capture;
    TXString s(HeardOwner(), "abc");
    s.Insert(0, "<");
    s.Insert(4, ">");
    s.Insert(2, 'x', 2);
    EXPECT_EQ(Text(s), "<axxbc>");
    s.Insert(99, "!");  // beyond the end: appended, reported
    EXPECT_EQ(Text(s), "<axxbc>!");
    EXPECT_TRUE(Reported(capture, "pos <= fLength"));
    s.Insert(1, 'y', 0);
    EXPECT_TRUE(Reported(capture, "cnt > 0"));
    const unsigned char ps[] = {2, 'P', 'S'};
    s.Insert(1, ps);
    EXPECT_EQ(Text(s), "<PSaxxbc>!");
    s.Delete(1, 2);
    s.Delete(6, 50);
    EXPECT_EQ(Text(s), "<axxbc");
    s.Delete(6, 1);
    EXPECT_TRUE(Reported(capture, "pos < fLength"));
    EXPECT_EQ(Text(s), "<axxbc");
}

TEST(TXStringEdit, EditsThatTakeTheirTextFromTheSameString) {
    TXString s("abcdefghijklmnopqrstuvwxyz0123");  // a full 32-byte buffer
    s.Append(s.CString());
    EXPECT_EQ(Text(s), "abcdefghijklmnopqrstuvwxyz0123abcdefghijklmnopqrstuvwxyz0123");
    s = s.CString() + 50;
    EXPECT_EQ(Text(s), "uvwxyz0123");
    s.Insert(3, s.CString());
    EXPECT_EQ(Text(s), "uvwuvwxyz0123xyz0123");
    s.Replace("uvw", s.CString());
    EXPECT_EQ(Text(s), "uvwuvwxyz0123xyz0123uvwuvwxyz0123xyz0123xyz0123xyz0123");
    const TXString& same = s;
    s = same;
    EXPECT_EQ(s.GetLength(), 54u);
}

TEST(TXStringEdit, ReplaceNeverRescansAndIgnoresAnEmptyFind) {
    TXString s("aaa");
    EXPECT_EQ(s.Replace("a", "aa"), 3u);
    EXPECT_EQ(Text(s), "aaaaaa");
    EXPECT_EQ(s.Replace("", "x"), 0u);
    EXPECT_EQ(Text(s), "aaaaaa");
    TXString t("Path/to/File");
    EXPECT_EQ(t.Replace("/", '\\'), 2u);
    EXPECT_EQ(Text(t), "Path\\to\\File");
    EXPECT_EQ(t.Replace("FILE", "x", true), 1u);
    EXPECT_EQ(Text(t), "Path\\to\\x");
}

TEST(TXStringEdit, TrimsAndLineEnds) {
    struct Case {
        const char* text;
        void (TXString::*edit)();
        const char* expected;
    };
    const Case cases[] = {
        {"a  ", &TXString::TrimTrailing, "a"},
        {"  ", &TXString::TrimTrailing, "  "},  // only blanks after another character go
        {" \t a b ", &TXString::TrimLeading, "a b "},
        {" \t ", &TXString::TrimLeading, ""},
        {"a\rb\r", &TXString::CRToCRLF, "a\r\nb\r\n"},
        {"a\r\nb\rc", &TXString::CRToCRLF, "a\r\nb\rc"},  // already CR LF: lone CRs stay
        {"a\r\nb\r\n\r", &TXString::CRLFToLF, "a\nb\n\r"},
        {"dir", &TXString::EnsureTrailingBackslash, "dir\\"},
        {"dir\\", &TXString::EnsureTrailingBackslash, "dir\\"},
        {"", &TXString::EnsureTrailingBackslash, "\\"},
        {"abc", &TXString::Reverse, "cba"},
        {"MiXeD 1", &TXString::ToUpper, "MIXED 1"},
        {"MiXeD 1", &TXString::ToLower, "mixed 1"},
    };
    for (const Case& c : cases) {
        TXString s(c.text);
        (s.*c.edit)();
        EXPECT_EQ(Text(s), c.expected) << '"' << c.text << '"';
    }
}

TEST(TXStringEdit, AssignmentAndConcatenation) {
    TXString s;
    s = static_cast<int32_t>(-2147483647 - 1);
    EXPECT_EQ(Text(s), "-2147483648");
    s = "x";
    const unsigned char ps[] = {2, 'p', 's'};
    EXPECT_EQ(Text(s + "y" + 'z' + ps + TXString("!")), "xyzps!");
    EXPECT_EQ(Text('<' + s), "<x");
    EXPECT_EQ(Text("c" + s), "cx");
    EXPECT_EQ(Text(ps + s), "psx");
    s.Append(static_cast<int32_t>(7)).Append(ps);
    EXPECT_EQ(Text(s), "x7ps");
    EXPECT_EQ(TXString("  42abc").ToInteger(), 42);
    EXPECT_DOUBLE_EQ(TXString("2.5e3").ToReal(), 2500.0);
}

TEST(TXStringSearch, CharactersAndSets) {
    TXString s("abcabc");
    EXPECT_EQ(TXString("abc").ReverseFind('a'), 0);
    EXPECT_EQ(s.Find('c', 3), 5);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.FindOneOf("xc"), 2);
    EXPECT_EQ(s.FindNotOneOf("ab"), 2);
    EXPECT_EQ(s.ReverseFindOneOf("ab"), 4);
    EXPECT_EQ(s.ReverseFindNotOneOf("c"), 4);
    const unsigned char psSet[] = {2, 'b', 'a'};
    EXPECT_EQ(s.FindNotOneOf(psSet), 2);
    EXPECT_EQ(Text(s.LeadingRunIn(psSet)), "ab");
    EXPECT_EQ(Text(s.LeadingRunNotIn("c")), "ab");
    EXPECT_EQ(Text(s.LeadingRunNotIn("a")), "");
    EXPECT_EQ(Text(s.LeadingRunIn("abc")), "abcabc");  // the whole text is the run
    EXPECT_EQ(Text(s.LeadingRunNotIn("xyz")), "abcabc");
}

TEST(TXStringSearch, SubstringsFromNFirstInBothCaseModes) {
    DebugCapture capture;
    TXString s(HeardOwner(), "abcABCabc");
    const unsigned char psSub[] = {3, 'a', 'b', 'c'};
    EXPECT_EQ(s.Find(psSub, 1, false), 6);
    EXPECT_EQ(s.Find(psSub, 1, true), 3);
    EXPECT_EQ(s.Find("ABC", 0, false), 3);
    EXPECT_EQ(s.Find("bca", 0, true), 1);
    EXPECT_FALSE(Reported(capture, "nFirst < fLength"));
    EXPECT_EQ(s.Find("a", 9), -1);
    EXPECT_TRUE(Reported(capture, "nFirst < fLength"));
}

#if !defined(_WIN32)  // the Windows C library has no UTF-8 locale
TEST(TXStringSearch, BytesOfMultibyteCharactersNeverMatch) {
    const char* const previous = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) GTEST_SKIP() << "no UTF-8 locale";
    const TXString s("x\xC3\xA9y\xA9");  // x, e acute (two bytes), y, a lone byte
    EXPECT_EQ(s.Find('\xA9'), 4);
    EXPECT_EQ(s.Find('\xC3'), -1);
    EXPECT_EQ(s.FindOneOf("\xA9\xC3"), 4);
    EXPECT_EQ(s.FindNotOneOf("x"), 3);       // the two-byte character matches neither way
    EXPECT_EQ(s.FindOneOf("\xC3\xA9"), -1);  // nor are its bytes taken apart
    std::setlocale(LC_CTYPE, saved.c_str());
}
#endif

TEST(TXStringCompare, CAndPascalForms) {
    const TXString s("abc");
    const unsigned char psAb[] = {2, 'a', 'b'};
    const unsigned char psAbc[] = {3, 'a', 'b', 'c'};
    const unsigned char psAbcd[] = {4, 'a', 'b', 'c', 'd'};
    const unsigned char psABC[] = {3, 'A', 'B', 'C'};
    EXPECT_EQ(s.Compare(psAb), 1);
    EXPECT_EQ(s.Compare(psAbc), 0);
    EXPECT_EQ(s.Compare(psAbcd), 1);  // a longer Pascal string differs by its length alone
    EXPECT_LT(s.Compare("abd"), 0);
    EXPECT_EQ(s.Compare("abc"), 0);
    EXPECT_GT(s.Compare(""), 0);
    EXPECT_EQ(s.CompareIgnoringCase(psABC), 0);
    EXPECT_EQ(s.CompareIgnoringCase("ABC"), 0);
    EXPECT_LT(s.CompareIgnoringCase("ABCD"), 0);
    EXPECT_EQ(s.CompareIgnoringCase(psAb), 1);
    const unsigned char psABCD[] = {4, 'A', 'B', 'C', 'D'};
    EXPECT_EQ(s.CompareIgnoringCase(psABCD), 1);
    const unsigned char psAbd[] = {3, 'a', 'b', 'd'};
    EXPECT_LT(s.Compare(psAbd), 0);
}

TEST(TXStringFormat, KeepsAtMost10239CharactersAndReportsTheExcess) {
    DebugCapture capture;
    TXString s;
    s.Format("%s", std::string(10239, 'f').c_str());
    EXPECT_EQ(s.GetLength(), 10239u);
    EXPECT_EQ(CountReports(capture), 0);
    s.Format("%s", std::string(10240, 'g').c_str());
    EXPECT_EQ(s.GetLength(), 10239u);
    EXPECT_EQ(s.CString()[10238], 'g');
    EXPECT_TRUE(Reported(capture, "TXString::Format() - exceeded maximum buffer length of 10240 by 1 bytes."));
    s.Format("%s", std::string(20000, 'h').c_str());
    EXPECT_TRUE(Reported(capture, "by 9761 bytes."));
    EXPECT_EQ(s.BufferSize(), 10241u);
}

TEST(TXStringFormat, PascalAndStringFormats) {
    TXString s;
    const unsigned char psFormat[] = {5, '%', 'd', '-', '%', 's'};
    s.Format(psFormat, 12, "x");
    EXPECT_EQ(Text(s), "12-x");
    const TXString format("[%s]");
    s.Format(format, s.CString());
    EXPECT_EQ(Text(s), "[12-x]");
}

}  // namespace
