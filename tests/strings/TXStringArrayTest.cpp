// TXStringArray: slots in blocks, reuse of removed strings, the count.
#include <gtest/gtest.h>

#include <vector>

#include "StringTestSupport.h"

namespace {

std::vector<std::string> Texts(TXStringArray& array) {
    std::vector<std::string> texts;
    for (uint32_t i = 0; i < array.GetCount(); ++i) texts.push_back(Text(array[i]));
    return texts;
}

TEST(TXStringArray, GrowingKeepsTheStringObjectsOfEverySlot) {
    TXStringArray array(0, 10);
    for (const char* sz : {"A", "B", "C"}) array.Append(sz);
    EXPECT_EQ(array.GetAllocatedCount(), 10u);
    const TXString* spares[10];
    for (uint32_t i = 0; i < 10; ++i) spares[i] = &array.GetAt(std::min(i, 2u));
    array.SetCount(10);
    for (uint32_t i = 3; i < 10; ++i) spares[i] = &array.GetAt(i);
    array.SetCount(15);
    EXPECT_EQ(array.GetAllocatedCount(), 20u);
    for (uint32_t i = 3; i < 10; ++i) EXPECT_EQ(&array.GetAt(i), spares[i]) << i;
    EXPECT_EQ(Text(array[1]), "B");
}

TEST(TXStringArray, RemoveAtClosesUpAndKeepsTheRemovedObjectsForReuse) {
    TXStringArray array(4, 4);
    for (const char* sz : {"A", "B", "C", "D"}) array.Append(sz);
    TXString* removedA = &array[0];
    TXString* removedB = &array[1];
    array.RemoveAt(0, 2);
    EXPECT_EQ(Texts(array), (std::vector<std::string>{"C", "D"}));
    array.Append("E");
    EXPECT_EQ(&array[2], removedA);  // a cleared object is used again
    EXPECT_EQ(Texts(array), (std::vector<std::string>{"C", "D", "E"}));
    EXPECT_TRUE(removedB->IsEmpty());
    EXPECT_EQ(removedB->BufferSize(), 2u);
    array.RemoveAt(1, 99);
    EXPECT_EQ(Texts(array), (std::vector<std::string>{"C"}));
    array.RemoveAt(5);
    EXPECT_EQ(array.GetCount(), 1u);
    EXPECT_EQ(array.GetAllocatedCount(), 4u);
}

TEST(TXStringArray, SetAtRaisesTheCountAndAppendAllCopies) {
    TXStringArray array(0, 3);
    const unsigned char ps[] = {2, 'p', 's'};
    array.SetAt(4, ps);
    EXPECT_EQ(array.GetCount(), 5u);
    EXPECT_EQ(array.GetAllocatedCount(), 6u);
    array.SetAt(1, TXString("one"));
    array.SetAt(0, array[4]);
    EXPECT_EQ(Texts(array), (std::vector<std::string>{"ps", "one", "", "", "ps"}));
    array.AppendAll(array);
    EXPECT_EQ(array.GetCount(), 10u);
    EXPECT_EQ(Text(array[6]), "one");
    array.SetCount(2);
    EXPECT_EQ(Texts(array), (std::vector<std::string>{"ps", "one"}));
}

TEST(TXStringArray, FindIgnoringCaseAndOutOfRangeAccess) {
    DebugCapture capture;
    TXStringArray array;
    array.Append("Alpha");
    array.Append("beta");
    bool found = false;
    EXPECT_EQ(array.FindIgnoringCase("BETA", found), 1u);
    EXPECT_TRUE(found);
    EXPECT_EQ(array.FindIgnoringCase("gamma", found), 0u);
    EXPECT_FALSE(found);
    EXPECT_FALSE(Reported(capture, "nIndex < fNumStringsStored"));
    TXString& outside = array.GetAt(2);
    EXPECT_TRUE(outside.IsEmpty());
    EXPECT_TRUE(Reported(capture, "nIndex < fNumStringsStored"));
    outside = "ignored";
    EXPECT_EQ(array.GetCount(), 2u);
    EXPECT_TRUE(array.GetAt(3).IsEmpty());
}

}  // namespace
