// The registry settings store against the real registry, below a key of its
// own under HKEY_CURRENT_USER that each test creates and deletes again.
#include "framework/core/registry_key.h"
#include "framework/core/registry_key_chain.h"
#include "framework/core/registry_roots.h"
#include "framework/core/registry_values.h"
#include "framework/core/state_blob.h"
#include "framework/core/text_array.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "framework/util/list.h"
#include "framework/util/text.h"

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        base_ = "Software\\RegistryStoreTest" + std::to_string(GetCurrentProcessId());
        RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &root_, nullptr));
    }

    void TearDown() override
    {
        if (root_)
            RegCloseKey(root_);
        EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str()));
    }

    // The path of a subkey of the test key, below HKEY_CURRENT_USER.
    std::string Path(const char* subKey) const { return base_ + "\\" + subKey; }

    // Stores raw bytes, NUL or not, as the given type below the test key.
    void SetRaw(HKEY key, const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    }

    bool ValueExists(HKEY key, const char* name)
    {
        return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    std::string RawString(HKEY key, const char* name)
    {
        char buffer[4096] = {};
        DWORD size = sizeof buffer - 1;
        if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
            return "<missing>";
        return buffer;
    }

    std::string base_;
    HKEY root_ = nullptr;
};

std::string Take(char*& text)
{
    std::string value = text ? text : "<null>";
    FreeText(text);
    return value;
}

} // namespace

TEST(RegistryRoots, TableHoldsThePredefinedKeys)
{
    EXPECT_EQ(HKEY_LOCAL_MACHINE, RootLocalMachine);
    EXPECT_EQ(HKEY_CLASSES_ROOT, RootClassesRoot);
    EXPECT_EQ(HKEY_USERS, RootUsers);
    EXPECT_EQ(HKEY_CURRENT_USER, RootCurrentUser);
    EXPECT_EQ(HKEY_DYN_DATA, RootDynData);
    EXPECT_EQ(HKEY_CURRENT_CONFIG, RootCurrentConfig);
}

TEST_F(RegistryTest, ChainFallsBackToTheOlderKeyAndWritesTheNewer)
{
    TRegistryKeyChain chain;
    chain.AddEntry(RootCurrentUser, Path("Old").c_str());
    chain.AddEntry(RootCurrentUser, Path("New").c_str());
    ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));
    ASSERT_NE(nullptr, chain.EntryHandle(0));
    ASSERT_NE(nullptr, chain.EntryHandle(1));
    EXPECT_EQ(chain.EntryHandle(1), chain.LastHandle());

    WriteString(chain.EntryHandle(0), "Colour", "blue");
    WriteDword(chain.EntryHandle(0), "Width", 640);
    {
        TRegStringValue colour(&chain, "Colour");
        EXPECT_TRUE(colour.Exists());
        char* text = nullptr;
        colour.Get(text);
        EXPECT_EQ("blue", Take(text));

        EXPECT_EQ(ERROR_SUCCESS, colour.Write("green"));
        EXPECT_EQ("blue", RawString(chain.EntryHandle(0), "Colour"));
        EXPECT_EQ("green", RawString(chain.EntryHandle(1), "Colour"));
        colour.Get(text);
        EXPECT_EQ("green", Take(text));

        TRegDwordValue width(&chain, "Width");
        EXPECT_EQ(640u, width.Get(180));
        EXPECT_EQ(ERROR_SUCCESS, width.Write(800));
        EXPECT_EQ(800u, width.Get(180));
        DWORD older = 0;
        EXPECT_EQ(ERROR_SUCCESS, ReadDword(chain.EntryHandle(0), "Width", older));
        EXPECT_EQ(640u, older);
    }
    EXPECT_EQ(ERROR_SUCCESS, chain.CloseKeys());
}

TEST_F(RegistryTest, MissingValuesGiveEmptyTextsAndTheCallersDefault)
{
    TRegistryKeyChain chain;
    chain.AddEntry(RootCurrentUser, Path("A").c_str());
    chain.AddEntry(RootCurrentUser, Path("B").c_str());
    ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));

    char* text = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.ReadString("Nothing", text));
    EXPECT_EQ("", Take(text));

    DWORD value = 77;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.ReadDword("Nothing", value));
    EXPECT_EQ(77u, value);
    {
        TRegDwordValue number(&chain, "Nothing");
        EXPECT_FALSE(number.Exists());
        EXPECT_EQ(180u, number.Get(180));

        TRegBinaryValue block(&chain, "Nothing");
        EXPECT_FALSE(block.Exists());
        const TStateBlob blob = block.Get();
        EXPECT_EQ(nullptr, blob.Data);
        EXPECT_EQ(0, blob.Size);
    }
    TTextArray texts(3);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.ReadMultiString("Nothing", texts));
    EXPECT_EQ(0, texts.Count);
    EXPECT_EQ(nullptr, texts.Texts);
    chain.CloseKeys();
}

TEST_F(RegistryTest, NumbersOfAnotherTypeOrSizeGiveTheDefault)
{
    TRegistryKeyChain chain;
    chain.AddEntry(root_, "Numbers");
    ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));
    const HKEY key = chain.LastHandle();
    SetRaw(key, "Text4", REG_SZ, "abc", 4);      // four bytes, but a text
    SetRaw(key, "Text9", REG_SZ, "12345678", 9); // longer than a number
    SetRaw(key, "Short", REG_BINARY, "\x01\x02", 2);
    SetRaw(key, "Four", REG_BINARY, "\x01\x02\x03\x04", 4);
    const DWORD big = 0xFFFFFFFFu;
    SetRaw(key, "Big", REG_DWORD, &big, sizeof big);

    for (const char* name : {"Text4", "Text9", "Short", "Four"}) {
        SCOPED_TRACE(name);
        DWORD value = 5;
        EXPECT_NE(ERROR_SUCCESS, chain.ReadDword(name, value));
        EXPECT_EQ(5u, value);
        TRegDwordValue number(&chain, name);
        EXPECT_FALSE(number.Exists());
        EXPECT_EQ(180u, number.Get(180));
    }
    DWORD value = 5;
    EXPECT_EQ(ERROR_INVALID_DATA, chain.ReadDword("Text4", value));
    EXPECT_EQ(ERROR_MORE_DATA, chain.ReadDword("Text9", value));
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadDword("Big", value));
    EXPECT_EQ(0xFFFFFFFFu, value);
    chain.CloseKeys();
}

TEST_F(RegistryTest, StringsUpToTheBufferAndBeyond)
{
    TRegistryKeyChain chain;
    chain.AddEntry(root_, "Strings");
    ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));
    const HKEY key = chain.LastHandle();

    const std::string fits(1023, 'x');
    const std::string tooLong(1024, 'y');
    ASSERT_EQ(ERROR_SUCCESS, WriteString(key, "Fits", fits.c_str()));
    ASSERT_EQ(ERROR_SUCCESS, WriteString(key, "TooLong", tooLong.c_str()));

    char* text = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadString("Fits", text));
    EXPECT_EQ(fits, Take(text));
    EXPECT_EQ(ERROR_MORE_DATA, chain.ReadString("TooLong", text));
    EXPECT_EQ("", Take(text));
    {
        TRegStringValue value(&chain, "TooLong");
        EXPECT_FALSE(value.Exists());
    }

    // Double-byte text, including a trail byte that is a backslash.
    const char* japanese = "\x95\x5C\x8E\xA6\x82\xA0";
    ASSERT_EQ(ERROR_SUCCESS, WriteString(key, "Japanese", japanese));
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadString("Japanese", text));
    EXPECT_EQ(japanese, Take(text));

    // An empty string value and the key's default value.
    ASSERT_EQ(ERROR_SUCCESS, WriteString(key, "", "default"));
    ASSERT_EQ(ERROR_SUCCESS, WriteString(key, "Empty", ""));
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadString("", text));
    EXPECT_EQ("default", Take(text));
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadString("Empty", text));
    EXPECT_EQ("", Take(text));
    chain.CloseKeys();
}

TEST_F(RegistryTest, StringsWithoutTheirNulComeBackTerminated)
{
    TRegistryKeyChain chain;
    chain.AddEntry(root_, "Unterminated");
    ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));
    const HKEY key = chain.LastHandle();
    SetRaw(key, "Short", REG_SZ, "abcXXXX", 3);
    const std::string full(RegistryReadBufferSize - 1, 'z');
    SetRaw(key, "Full", REG_SZ, full.data(), static_cast<DWORD>(full.size()));
    const std::string over(RegistryReadBufferSize, 'o');
    SetRaw(key, "Over", REG_SZ, over.data(), static_cast<DWORD>(over.size()));
    // A number read as a string gives its bytes up to the first NUL.
    const DWORD number = 0x00434241;
    SetRaw(key, "Number", REG_DWORD, &number, sizeof number);

    char* text = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadString("Short", text));
    EXPECT_EQ("abc", Take(text));
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadString("Full", text));
    EXPECT_EQ(full, Take(text));
    // 1024 bytes leave no room for a NUL in the read buffer: missing.
    EXPECT_EQ(ERROR_MORE_DATA, chain.ReadString("Over", text));
    EXPECT_EQ("", Take(text));
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadString("Number", text));
    EXPECT_EQ("ABC", Take(text));
    chain.CloseKeys();
}

TEST_F(RegistryTest, BinaryBlocksOfEverySize)
{
    TRegistryKeyChain chain;
    chain.AddEntry(root_, "Blocks");
    ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));
    const HKEY key = chain.LastHandle();
    {
        TRegBinaryValue two(&chain, "Two");
        ASSERT_EQ(ERROR_SUCCESS, two.Write("\xAB\xCD", 2));
        EXPECT_TRUE(two.Exists());
        const TStateBlob blob = two.Get();
        ASSERT_EQ(2, blob.Size);
        EXPECT_EQ(0xAB, blob.Data[0]);
        EXPECT_EQ(0xCD, blob.Data[1]);

        TRegBinaryValue empty(&chain, "Empty");
        ASSERT_EQ(ERROR_SUCCESS, empty.Write(TStateBlob()));
        EXPECT_TRUE(empty.Exists());
        const TStateBlob none = empty.Get();
        EXPECT_EQ(nullptr, none.Data);
        EXPECT_EQ(0, none.Size);
    }
    std::string bytes(RegistryReadBufferSize, '\x5A');
    SetRaw(key, "Full", REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    bytes.push_back('\x5A');
    SetRaw(key, "Over", REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    SetRaw(key, "Text", REG_SZ, "ab", 3);

    TStateBlob blob(bytes.data(), 4);
    DWORD type = REG_BINARY;
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadBinary("Full", blob, type));
    EXPECT_EQ(RegistryReadBufferSize, blob.Size);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(ERROR_MORE_DATA, chain.ReadBinary("Over", blob, type));
    EXPECT_EQ(nullptr, blob.Data);
    EXPECT_EQ(0, blob.Size);
    // The stored type is not a reason to refuse: a text is read as its bytes.
    type = REG_BINARY;
    EXPECT_EQ(ERROR_SUCCESS, chain.ReadBinary("Text", blob, type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    ASSERT_EQ(3, blob.Size);
    EXPECT_EQ(0, std::memcmp(blob.Data, "ab", 3));
    chain.CloseKeys();
}

TEST_F(RegistryTest, MultiStringsReadBackAndBrokenOnesStayInside)
{
    TRegistryKeyChain chain;
    chain.AddEntry(root_, "Multi");
    ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));
    const HKEY key = chain.LastHandle();

    TTextArray written(3);
    written.Set(0, "one");
    written.Set(1, "\x95\x5C\x82\xA0");
    written.Set(2, "three");
    ASSERT_EQ(ERROR_SUCCESS, WriteMultiString(key, "List", written));
    TTextArray texts;
    ASSERT_EQ(ERROR_SUCCESS, chain.ReadMultiString("List", texts));
    ASSERT_EQ(3, texts.Count);
    EXPECT_STREQ("one", texts.At(0));
    EXPECT_STREQ("\x95\x5C\x82\xA0", texts.At(1));
    EXPECT_STREQ("three", texts.At(2));

    // Without the final NUL, and without any NUL at all.
    SetRaw(key, "NoFinal", REG_MULTI_SZ, "a\0bc", 4);
    ASSERT_EQ(ERROR_SUCCESS, chain.ReadMultiString("NoFinal", texts));
    ASSERT_EQ(2, texts.Count);
    EXPECT_STREQ("a", texts.At(0));
    EXPECT_STREQ("bc", texts.At(1));
    SetRaw(key, "NoNul", REG_MULTI_SZ, "abc", 3);
    ASSERT_EQ(ERROR_SUCCESS, chain.ReadMultiString("NoNul", texts));
    ASSERT_EQ(1, texts.Count);
    EXPECT_STREQ("abc", texts.At(0));
    const std::string full(RegistryReadBufferSize - 1, 'q');
    SetRaw(key, "FullNoNul", REG_MULTI_SZ, full.data(), static_cast<DWORD>(full.size()));
    ASSERT_EQ(ERROR_SUCCESS, chain.ReadMultiString("FullNoNul", texts));
    ASSERT_EQ(1, texts.Count);
    EXPECT_EQ(full, texts.At(0));

    // An empty value and an empty first string hold no texts.
    SetRaw(key, "Nothing", REG_MULTI_SZ, "", 0);
    ASSERT_EQ(ERROR_SUCCESS, chain.ReadMultiString("Nothing", texts));
    EXPECT_EQ(0, texts.Count);
    TTextArray none;
    ASSERT_EQ(ERROR_SUCCESS, WriteMultiString(key, "NoTexts", none));
    ASSERT_EQ(ERROR_SUCCESS, chain.ReadMultiString("NoTexts", texts));
    EXPECT_EQ(0, texts.Count);
    chain.CloseKeys();
}

TEST_F(RegistryTest, WriteMultiStringRefusesTextsThatDoNotFit)
{
    const HKEY key = root_;
    // Two texts with their NULs, then the final NUL: exactly the 1024-byte buffer.
    TTextArray texts(2);
    texts.Set(0, std::string(500, 'a').c_str());
    texts.Set(1, std::string(521, 'b').c_str());
    ASSERT_EQ(ERROR_SUCCESS, WriteMultiString(key, "Fits", texts));
    TTextArray back;
    ASSERT_EQ(ERROR_SUCCESS, ReadMultiString(key, "Fits", back));
    ASSERT_EQ(2, back.Count);
    EXPECT_EQ(std::string(521, 'b'), back.At(1));

    // One byte more: refused, and an earlier value stays as it was.
    texts.Set(1, std::string(522, 'b').c_str());
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, WriteMultiString(key, "Fits", texts));
    ASSERT_EQ(ERROR_SUCCESS, ReadMultiString(key, "Fits", back));
    EXPECT_EQ(std::string(521, 'b'), back.At(1));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, WriteMultiString(key, "New", texts));
    EXPECT_FALSE(ValueExists(key, "New"));

    // Many short texts whose sum overflows, and one text far beyond the buffer.
    TTextArray many(400);
    for (int i = 0; i < many.Count; ++i)
        many.Set(i, "abc");
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, WriteMultiString(key, "Many", many));
    TTextArray huge(1);
    huge.Set(0, std::string(5000, 'h').c_str());
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, WriteMultiString(key, "Huge", huge));
    EXPECT_FALSE(ValueExists(key, "Many"));
    EXPECT_FALSE(ValueExists(key, "Huge"));
}

TEST_F(RegistryTest, CloseKeysAfterAFailedCreateClosesTheOthers)
{
    TRegistryKeyEntry good1(RootCurrentUser, Path("Good1").c_str());
    TRegistryKeyEntry broken(nullptr, "NoRoot");
    TRegistryKeyEntry good2(RootCurrentUser, Path("Good2").c_str());
    const TRegistryKeyEntry* entries[] = {&good1, &broken, &good2, nullptr};
    TRegistryKeyChain chain(entries);
    ASSERT_EQ(3, chain.Count());

    EXPECT_EQ(ERROR_INVALID_HANDLE, chain.CreateKeys(0));
    const HKEY first = chain.EntryHandle(0);
    const HKEY last = chain.EntryHandle(2);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(nullptr, chain.EntryHandle(1));
    ASSERT_NE(nullptr, last);

    // Reads fall through the null handle; writes go to the last key.
    TRegDwordValue number(&chain, "N");
    EXPECT_EQ(ERROR_SUCCESS, number.Write(3));
    EXPECT_EQ(3u, number.Get(180));

    EXPECT_EQ(ERROR_INVALID_HANDLE, chain.CloseKeys());
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryInfoKeyA(first, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegQueryInfoKeyA(last, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    // Closing again touches no handle that another key may now hold.
    HKEY other = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_READ, &other));
    EXPECT_EQ(ERROR_INVALID_HANDLE, chain.CloseKeys());
    EXPECT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(other, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(other);
}

TEST_F(RegistryTest, ChainWithANullHandleReadsDefaultsAndFailsWrites)
{
    TRegistryKeyChain chain;
    chain.AddEntry(nullptr, "Nowhere");
    EXPECT_EQ(ERROR_INVALID_HANDLE, chain.CreateKeys(0));
    TRegStringValue text(&chain, "T");
    EXPECT_NE(ERROR_SUCCESS, text.Write("x"));
    char* value = nullptr;
    text.Get(value);
    EXPECT_EQ("", Take(value));
    TRegDwordValue number(&chain, "N");
    EXPECT_NE(ERROR_SUCCESS, number.Write(1));
    EXPECT_EQ(180u, number.Get(180));
    EXPECT_EQ(ERROR_INVALID_HANDLE, chain.DeleteValue("T"));

    TRegistryKeyChain empty;
    EXPECT_EQ(ERROR_SUCCESS, empty.CreateKeys(0));
    EXPECT_EQ(nullptr, empty.LastHandle());
    EXPECT_EQ(nullptr, empty.EntryHandle(0));
    EXPECT_EQ(ERROR_INVALID_HANDLE, empty.ReadString("T", value));
    EXPECT_EQ("", Take(value));
}

TEST_F(RegistryTest, OpenKeysDoesNotCreateAndCreateKeysReportsDisposition)
{
    TRegistryKeyChain chain;
    chain.AddEntry(root_, "Later\\Deeper\\");
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.OpenKeys());
    EXPECT_EQ(nullptr, chain.EntryHandle(0));
    HKEY probe = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(root_, "Later", 0, KEY_READ, &probe));

    DWORD disposition = 0;
    EXPECT_EQ(ERROR_SUCCESS, chain.CreateKeys(0, disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    chain.CloseKeys();
    EXPECT_EQ(ERROR_SUCCESS, chain.CreateKeys(0, disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
    chain.CloseKeys();
    EXPECT_EQ(ERROR_SUCCESS, chain.OpenKeys());
    EXPECT_NE(nullptr, chain.EntryHandle(0));
    chain.CloseKeys();
}

TEST_F(RegistryTest, SubkeyChainOnAnOpenEntryFollowsTheUsualSequence)
{
    TRegistryKeyChain base;
    base.AddEntry(RootCurrentUser, (base_ + "\\App\\").c_str()); // path with a trailing backslash
    // The base chain is a template: each operation works on a copy.
    for (int round = 0; round < 2; ++round) {
        TRegistryKeyChain copy(base);
        ASSERT_EQ(ERROR_SUCCESS, copy.CreateKeys(0));
        TRegistryKeyChain view;
        view.AddEntry(copy.EntryHandle(0), "View");
        ASSERT_EQ(ERROR_SUCCESS, view.CreateKeys(0));
        {
            TRegDwordValue alpha(&view, "Alpha");
            if (round == 0) {
                EXPECT_EQ(255u, alpha.Get(255));
                EXPECT_EQ(ERROR_SUCCESS, alpha.Write(128));
            } else {
                EXPECT_EQ(128u, alpha.Get(255));
            }
        }
        EXPECT_EQ(ERROR_SUCCESS, view.CloseKeys());
        EXPECT_EQ(ERROR_SUCCESS, copy.CloseKeys());
    }
    EXPECT_EQ(nullptr, base.EntryHandle(0)); // the template was never opened
    DWORD stored = 0;
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(root_, "App\\View", 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_SUCCESS, ReadDword(key, "Alpha", stored));
    EXPECT_EQ(128u, stored);
    RegCloseKey(key);
}

TEST_F(RegistryTest, CopiesAreIndependent)
{
    TRegistryKeyChain a;
    a.AddEntry(RootCurrentUser, "First");
    TRegistryKeyChain b(a);
    b.AddEntry(RootLocalMachine, "Second");
    SetText(b.First()->value.SubKey, "Changed");
    EXPECT_EQ(1, a.Count());
    EXPECT_STREQ("First", a.First()->value.SubKey);
    TRegistryKeyChain c;
    c.AddChain(a);
    c.AddChain(b);
    ASSERT_EQ(3, c.Count());
    EXPECT_STREQ("First", c.At(0).SubKey);
    EXPECT_STREQ("Changed", c.At(1).SubKey);
    EXPECT_EQ(RootLocalMachine, c.At(2).Root);
    TRegistryKeyChain* heap = new TRegistryKeyChain(c);
    EXPECT_EQ(3, heap->Count());
    delete heap;
}

TEST_F(RegistryTest, EnumerationEndsWithNoMoreItems)
{
    TStringList names;
    names.Add("stale");
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumSubKeys(root_, names));
    EXPECT_EQ(0, names.Count());

    const std::string longName(255, 'k');
    for (const std::string& name : {std::string("Alpha"), std::string("\x95\x5C"), longName}) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root_, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                 &key, nullptr));
        RegCloseKey(key);
    }
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumSubKeys(root_, names));
    EXPECT_EQ(3, names.Count());
    EXPECT_NE(-1, names.IndexOf("Alpha"));
    EXPECT_NE(-1, names.IndexOf("\x95\x5C"));
    EXPECT_NE(-1, names.IndexOf(longName.c_str()));

    names.Add("stale");
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumValueNames(root_, names));
    EXPECT_EQ(0, names.Count());
    const std::string longValue(300, 'v');
    WriteDword(root_, "One", 1);
    WriteDword(root_, longValue.c_str(), 2);
    WriteDword(root_, "Three", 3);
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumValueNames(root_, names));
    EXPECT_EQ(3, names.Count());
    EXPECT_NE(-1, names.IndexOf(longValue.c_str()));

    EXPECT_EQ(ERROR_SUCCESS, DeleteAllValues(root_));
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumValueNames(root_, names));
    EXPECT_EQ(0, names.Count());

    EXPECT_EQ(ERROR_INVALID_HANDLE, EnumSubKeys(nullptr, names));
    EXPECT_EQ(ERROR_INVALID_HANDLE, EnumValueNames(nullptr, names));
}

TEST_F(RegistryTest, DeletingValuesAndKeys)
{
    TRegistryKeyChain chain;
    chain.AddEntry(root_, "K1");
    chain.AddEntry(root_, "K2");
    ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));
    WriteDword(chain.EntryHandle(0), "V", 1);
    WriteDword(chain.EntryHandle(1), "V", 2);

    EXPECT_EQ(ERROR_SUCCESS, chain.DeleteValue("V"));
    EXPECT_FALSE(ValueExists(chain.EntryHandle(1), "V"));
    EXPECT_TRUE(ValueExists(chain.EntryHandle(0), "V"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.DeleteValue("V"));

    WriteDword(chain.EntryHandle(1), "V", 2);
    EXPECT_EQ(ERROR_SUCCESS, chain.DeleteValueAll("V"));
    EXPECT_FALSE(ValueExists(chain.EntryHandle(0), "V"));
    EXPECT_FALSE(ValueExists(chain.EntryHandle(1), "V"));
    // The first entry's failure is kept while the second is still deleted.
    WriteDword(chain.EntryHandle(1), "V", 2);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.DeleteValueAll("V"));
    EXPECT_FALSE(ValueExists(chain.EntryHandle(1), "V"));
    {
        TRegDwordValue value(&chain, "W");
        value.Write(9);
        EXPECT_EQ(ERROR_SUCCESS, value.Delete());
        EXPECT_FALSE(value.Exists());
    }
    ASSERT_EQ(ERROR_SUCCESS, chain.CloseKeys());

    EXPECT_EQ(ERROR_SUCCESS, chain.DeleteLastKey());
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(root_, "K2", 0, KEY_READ, &key));
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(root_, "K1", 0, KEY_READ, &key));
    RegCloseKey(key);
    // K2 is gone already: its failure is reported and K1 is still deleted.
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.DeleteKeys());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(root_, "K1", 0, KEY_READ, &key));
}

TEST(TextArray, ResizeMakesEmptyTextsAndCopiesAreDeep)
{
    TTextArray texts(2);
    ASSERT_EQ(2, texts.Count);
    EXPECT_STREQ("", texts.At(0));
    texts.Set(1, "b");
    TTextArray copy(texts);
    copy.Set(1, "changed");
    EXPECT_STREQ("b", texts.At(1));
    texts.Resize(3);
    EXPECT_EQ(3, texts.Count);
    EXPECT_STREQ("", texts.At(1));
    texts.Resize(-1);
    EXPECT_EQ(0, texts.Count);
    EXPECT_EQ(nullptr, texts.Texts);
}

TEST(StateBlob, CopiesExactlyAndEmptyHasNoData)
{
    const BYTE bytes[3] = {1, 2, 3};
    TStateBlob blob(bytes, 3);
    TStateBlob copy(blob);
    ASSERT_EQ(3, copy.Size);
    EXPECT_NE(blob.Data, copy.Data);
    EXPECT_EQ(0, std::memcmp(bytes, copy.Data, 3));
    TStateBlob none(bytes, 0);
    EXPECT_EQ(nullptr, none.Data);
    EXPECT_EQ(0, none.Size);
    TStateBlob negative(bytes, -4);
    EXPECT_EQ(nullptr, negative.Data);
    EXPECT_EQ(0, negative.Size);
    copy = none;
    EXPECT_EQ(nullptr, copy.Data);
    EXPECT_TRUE(copy.IsEmpty());
}
