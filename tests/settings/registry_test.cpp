// The registry settings store against the real registry, below a key of its
// own under HKEY_CURRENT_USER that each test creates and deletes again.
#include "framework/settings/registry_key.h"
#include "framework/settings/registry_key_chain.h"
#include "framework/settings/registry_roots.h"
#include "framework/settings/registry_values.h"
#include "framework/settings/settings_key.h"
#include "framework/settings/state_blob.h"
#include "framework/settings/text_array.h"

#include <cstring>
#include <string>
#include <vector>

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
        chain_.AddEntry(root_, "Values");
        ASSERT_EQ(ERROR_SUCCESS, chain_.CreateKeys(0));
        key_ = chain_.LastHandle();
    }

    void TearDown() override
    {
        chain_.CloseKeys();
        RegCloseKey(root_);
        EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str()));
    }

    std::string Path(const char* subKey) const { return base_ + "\\" + subKey; }

    // Stores raw bytes, NUL or not, as the given type.
    void SetRaw(const char* name, DWORD type, const void* data, size_t size)
    {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)));
    }

    static bool ValueExists(HKEY key, const char* name)
    {
        return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    // Reads through the chain; the text, or "<error N>" on failure.
    std::string ChainString(const TRegistryKeyChain& chain, const char* name)
    {
        char* text = nullptr;
        const LONG result = chain.ReadString(name, text);
        std::string value = result == ERROR_SUCCESS ? text : "<error " + std::to_string(result) + ">";
        EXPECT_TRUE(result == ERROR_SUCCESS || text[0] == '\0') << "a failed read leaves a text";
        FreeText(text);
        return value;
    }

    std::string base_;
    HKEY root_ = nullptr;
    TRegistryKeyChain chain_; // one open entry below the test key
    HKEY key_ = nullptr;
};

bool IsOpen(HKEY key)
{
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS;
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
    EXPECT_EQ(chain.EntryHandle(1), chain.LastHandle());
    WriteString(chain.EntryHandle(0), "Colour", "blue");
    WriteDword(chain.EntryHandle(0), "Width", 640);
    {
        TRegStringValue colour(&chain, "Colour");
        EXPECT_EQ("blue", ChainString(chain, "Colour"));
        EXPECT_EQ(ERROR_SUCCESS, colour.Write("green"));
        char* text = nullptr;
        colour.Get(text);
        EXPECT_STREQ("green", text);
        FreeText(text);
        ReadString(chain.EntryHandle(0), "Colour", text);
        EXPECT_STREQ("blue", text); // the older key keeps its value
        FreeText(text);

        TRegDwordValue width(&chain, "Width");
        EXPECT_EQ(640u, width.Get(180));
        EXPECT_EQ(ERROR_SUCCESS, width.Write(800));
        EXPECT_EQ(800u, width.Get(180));
    }
    EXPECT_EQ(ERROR_SUCCESS, chain.CloseKeys());
}

TEST_F(RegistryTest, NumbersOfAnotherTypeOrSizeAndMissingOnesGiveTheDefault)
{
    SetRaw("Text4", REG_SZ, "abc", 4); // four bytes, but a text
    SetRaw("Text9", REG_SZ, "12345678", 9);
    SetRaw("Short", REG_BINARY, "\x01\x02", 2);
    SetRaw("Four", REG_BINARY, "\x01\x02\x03\x04", 4);
    const DWORD big = 0xFFFFFFFFu;
    SetRaw("Big", REG_DWORD, &big, sizeof big);
    for (const char* name : {"Text4", "Text9", "Short", "Four", "Missing"}) {
        SCOPED_TRACE(name);
        DWORD value = 5;
        EXPECT_NE(ERROR_SUCCESS, chain_.ReadDword(name, value));
        EXPECT_EQ(5u, value);
        TRegDwordValue number(&chain_, name);
        EXPECT_FALSE(number.Exists());
        EXPECT_EQ(180u, number.Get(180));
    }
    DWORD value = 5;
    EXPECT_EQ(ERROR_INVALID_DATA, chain_.ReadDword("Text4", value));
    EXPECT_EQ(ERROR_MORE_DATA, chain_.ReadDword("Text9", value));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain_.ReadDword("Missing", value));
    EXPECT_EQ(ERROR_SUCCESS, chain_.ReadDword("Big", value));
    EXPECT_EQ(0xFFFFFFFFu, value);
}

TEST_F(RegistryTest, StringsComeBackTerminatedOrCountAsMissing)
{
    const std::string fits(1023, 'x'), tooLong(1024, 'y');
    ASSERT_EQ(ERROR_SUCCESS, WriteString(key_, "Fits", fits.c_str()));
    ASSERT_EQ(ERROR_SUCCESS, WriteString(key_, "TooLong", tooLong.c_str()));
    EXPECT_EQ(fits, ChainString(chain_, "Fits"));
    EXPECT_EQ("<error 234>", ChainString(chain_, "TooLong")); // ERROR_MORE_DATA
    {
        TRegStringValue value(&chain_, "TooLong");
        EXPECT_FALSE(value.Exists());
    }
    EXPECT_EQ("<error 2>", ChainString(chain_, "Missing"));

    // Stored without their NUL: 3 bytes, 1023 bytes, and 1024 that leave the
    // read buffer no room for one.
    SetRaw("Short", REG_SZ, "abcXXXX", 3);
    const std::string full(1023, 'z'), over(1024, 'o');
    SetRaw("Full", REG_SZ, full.data(), full.size());
    SetRaw("Over", REG_SZ, over.data(), over.size());
    EXPECT_EQ("abc", ChainString(chain_, "Short"));
    EXPECT_EQ(full, ChainString(chain_, "Full"));
    EXPECT_EQ("<error 234>", ChainString(chain_, "Over"));
    // A number read as a string gives its bytes up to the first NUL.
    const DWORD number = 0x00434241;
    SetRaw("Number", REG_DWORD, &number, sizeof number);
    EXPECT_EQ("ABC", ChainString(chain_, "Number"));

    const char* japanese = "\x95\x5C\x8E\xA6\x82\xA0"; // a trail byte is a backslash
    ASSERT_EQ(ERROR_SUCCESS, WriteString(key_, "", japanese)); // the key's default value
    EXPECT_EQ(japanese, ChainString(chain_, ""));
}

TEST_F(RegistryTest, BinaryBlocksKeepTheirExactSize)
{
    {
        TRegBinaryValue two(&chain_, "Two");
        ASSERT_EQ(ERROR_SUCCESS, two.Write("\xAB\xCD", 2));
        const TStateBlob blob = two.Get();
        ASSERT_EQ(2, blob.Size);
        EXPECT_EQ(0, std::memcmp(blob.Data, "\xAB\xCD", 2));
        TRegBinaryValue empty(&chain_, "Empty");
        ASSERT_EQ(ERROR_SUCCESS, empty.Write(TStateBlob()));
        EXPECT_TRUE(empty.Exists());
        EXPECT_EQ(nullptr, empty.Get().Data);
        TRegBinaryValue missing(&chain_, "Missing");
        EXPECT_FALSE(missing.Exists());
        EXPECT_EQ(0, missing.Get().Size);
    }
    std::string bytes(1024, '\x5A');
    SetRaw("Full", REG_BINARY, bytes.data(), bytes.size());
    SetRaw("Over", REG_BINARY, bytes.data(), bytes.size() + 1);
    SetRaw("Text", REG_SZ, "ab", 3);
    TStateBlob blob(bytes.data(), 4);
    DWORD type = REG_BINARY;
    EXPECT_EQ(ERROR_SUCCESS, chain_.ReadBinary("Full", blob, type));
    EXPECT_EQ(1024, blob.Size);
    EXPECT_EQ(ERROR_MORE_DATA, chain_.ReadBinary("Over", blob, type));
    EXPECT_EQ(nullptr, blob.Data);
    EXPECT_EQ(0, blob.Size);
    // The stored type is reported, not refused: a text is read as its bytes.
    EXPECT_EQ(ERROR_SUCCESS, chain_.ReadBinary("Text", blob, type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(3, blob.Size);
}

TEST_F(RegistryTest, MultiStringsReadBackAndBrokenOnesStayInside)
{
    TTextArray written(2);
    written.Set(0, "one");
    written.Set(1, "\x95\x5C\x82\xA0");
    ASSERT_EQ(ERROR_SUCCESS, WriteMultiString(key_, "List", written));
    SetRaw("NoFinal", REG_MULTI_SZ, "a\0bc", 4);
    SetRaw("NoNul", REG_MULTI_SZ, "abc", 3);
    const std::string full(1023, 'q');
    SetRaw("FullNoNul", REG_MULTI_SZ, full.data(), full.size());
    SetRaw("Nothing", REG_MULTI_SZ, "", 0);
    const struct {
        const char* name;
        std::vector<std::string> texts;
    } cases[] = {
        {"List", {"one", "\x95\x5C\x82\xA0"}}, {"NoFinal", {"a", "bc"}}, {"NoNul", {"abc"}},
        {"FullNoNul", {full}},                 {"Nothing", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTextArray texts(5);
        ASSERT_EQ(ERROR_SUCCESS, chain_.ReadMultiString(c.name, texts));
        ASSERT_EQ(static_cast<int>(c.texts.size()), texts.Count);
        for (int i = 0; i < texts.Count; ++i)
            EXPECT_EQ(c.texts[i], texts.At(i));
    }
    TTextArray texts(3);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain_.ReadMultiString("Missing", texts));
    EXPECT_EQ(0, texts.Count);
}

TEST_F(RegistryTest, WriteMultiStringRefusesTextsThatDoNotFit)
{
    // Two texts with their NULs and the final NUL: exactly the 1024-byte buffer.
    TTextArray texts(2);
    texts.Set(0, std::string(500, 'a').c_str());
    texts.Set(1, std::string(521, 'b').c_str());
    ASSERT_EQ(ERROR_SUCCESS, WriteMultiString(key_, "Fits", texts));
    // One byte more is refused, and neither an earlier value nor a new one is written.
    texts.Set(1, std::string(522, 'b').c_str());
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, WriteMultiString(key_, "Fits", texts));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, WriteMultiString(key_, "New", texts));
    EXPECT_FALSE(ValueExists(key_, "New"));
    TTextArray back;
    ASSERT_EQ(ERROR_SUCCESS, ReadMultiString(key_, "Fits", back));
    ASSERT_EQ(2, back.Count);
    EXPECT_EQ(std::string(521, 'b'), back.At(1));
    // Many short texts, and one text far beyond the buffer.
    TTextArray many(400);
    for (int i = 0; i < many.Count; ++i)
        many.Set(i, "abc");
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, WriteMultiString(key_, "Many", many));
    TTextArray huge(1);
    huge.Set(0, std::string(5000, 'h').c_str());
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, WriteMultiString(key_, "Huge", huge));
    EXPECT_FALSE(ValueExists(key_, "Many"));
    EXPECT_FALSE(ValueExists(key_, "Huge"));
}

TEST_F(RegistryTest, CloseKeysAfterAFailedCreateClosesTheOthers)
{
    TRegistryKeyEntry good1(RootCurrentUser, Path("Good1").c_str());
    TRegistryKeyEntry broken(nullptr, "NoRoot");
    TRegistryKeyEntry good2(RootCurrentUser, Path("Good2").c_str());
    const TRegistryKeyEntry* entries[] = {&good1, &broken, &good2, nullptr};
    TRegistryKeyChain chain(entries);
    EXPECT_EQ(ERROR_INVALID_HANDLE, chain.CreateKeys(0));
    const HKEY first = chain.EntryHandle(0), last = chain.EntryHandle(2);
    EXPECT_TRUE(IsOpen(first));
    EXPECT_EQ(nullptr, chain.EntryHandle(1));
    EXPECT_TRUE(IsOpen(last));
    {
        TRegDwordValue number(&chain, "N"); // reads pass the null handle by
        EXPECT_EQ(ERROR_SUCCESS, number.Write(3));
        EXPECT_EQ(3u, number.Get(180));
    }
    EXPECT_EQ(ERROR_INVALID_HANDLE, chain.CloseKeys());
    EXPECT_FALSE(IsOpen(first));
    EXPECT_FALSE(IsOpen(last));
    // Closing again touches no handle that another key may hold by now.
    HKEY other = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, KEY_READ, &other));
    EXPECT_EQ(ERROR_INVALID_HANDLE, chain.CloseKeys());
    EXPECT_TRUE(IsOpen(other));
    RegCloseKey(other);

    // A chain whose only key could not be created reads defaults, fails writes.
    TRegistryKeyChain nowhere;
    nowhere.AddEntry(nullptr, "Nowhere");
    EXPECT_EQ(ERROR_INVALID_HANDLE, nowhere.CreateKeys(0));
    TRegStringValue text(&nowhere, "T");
    EXPECT_EQ(ERROR_INVALID_HANDLE, text.Write("x"));
    EXPECT_EQ("<error 6>", ChainString(nowhere, "T"));
    TRegDwordValue number(&nowhere, "N");
    EXPECT_EQ(ERROR_INVALID_HANDLE, number.Write(1));
    EXPECT_EQ(180u, number.Get(180));
}

TEST_F(RegistryTest, OpenCreateAndTheSubkeySequence)
{
    TRegistryKeyChain later;
    later.AddEntry(root_, "Later\\Deeper\\");
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, later.OpenKeys()); // not created
    DWORD disposition = 0;
    EXPECT_EQ(ERROR_SUCCESS, later.CreateKeys(0, disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    later.CloseKeys();
    EXPECT_EQ(ERROR_SUCCESS, later.CreateKeys(0, disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
    later.CloseKeys();

    // A template chain (path with a trailing backslash) is copied for each
    // operation; the subkey chain's root is the copy's open handle.
    TRegistryKeyChain base;
    base.AddEntry(RootCurrentUser, (base_ + "\\App\\").c_str());
    for (DWORD round = 0; round < 2; ++round) {
        TRegistryKeyChain copy(base);
        ASSERT_EQ(ERROR_SUCCESS, copy.CreateKeys(0));
        TRegistryKeyChain view;
        view.AddEntry(copy.EntryHandle(0), "View");
        ASSERT_EQ(ERROR_SUCCESS, view.CreateKeys(0));
        {
            TRegDwordValue alpha(&view, "Alpha");
            EXPECT_EQ(round == 0 ? 255u : 128u, alpha.Get(255));
            alpha.Write(128);
        }
        EXPECT_EQ(ERROR_SUCCESS, view.CloseKeys());
        EXPECT_EQ(ERROR_SUCCESS, copy.CloseKeys());
    }
    EXPECT_EQ(nullptr, base.EntryHandle(0)); // the template was never opened
    EXPECT_EQ(nullptr, base.EntryHandle(1));

    TRegistryKeyChain joined;
    joined.AddChain(base);
    joined.AddChain(later);
    SetText(joined.First()->value.SubKey, "Changed");
    EXPECT_STREQ("Later\\Deeper\\", joined.At(1).SubKey);
    EXPECT_NE("Changed", std::string(base.At(0).SubKey)); // copies own their paths
}

TEST_F(RegistryTest, SettingsKeyOpensTheSubkeyForItsScopeOnly)
{
    TRegistryKeyChain base;
    base.AddEntry(RootCurrentUser, (base_ + "\\App\\").c_str());
    HKEY seen = nullptr;
    for (DWORD round = 0; round < 2; ++round) {
        TSettingsKey view(&base, "View");
        ASSERT_TRUE(view.IsOpen());
        EXPECT_EQ(ERROR_SUCCESS, view.Result());
        seen = view.Handle();
        TRegDwordValue alpha(&view.Chain(), "Alpha");
        EXPECT_EQ(round == 0 ? 255u : 128u, alpha.Get(255));
        alpha.Write(128);
    }
    EXPECT_FALSE(IsOpen(seen)); // closed with the holder
    EXPECT_EQ(nullptr, base.EntryHandle(0)); // the template itself is never opened
    HKEY check = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(root_, "App\\View", 0, KEY_READ, &check));
    DWORD alpha = 0;
    EXPECT_EQ(ERROR_SUCCESS, ReadDword(check, "Alpha", alpha));
    EXPECT_EQ(128u, alpha);
    RegCloseKey(check);

    {
        TSettingsKey own(&base, ""); // no subkey: the base key itself
        EXPECT_EQ(ERROR_SUCCESS, WriteDword(own.Handle(), "IconSet", 1));
    }
    {
        TSettingsKey nowhere(nullptr, "View");
        EXPECT_FALSE(nowhere.IsOpen());
        EXPECT_NE(ERROR_SUCCESS, nowhere.Result());
        TRegDwordValue value(&nowhere.Chain(), "Alpha");
        EXPECT_EQ(7u, value.Get(7));
        EXPECT_NE(ERROR_SUCCESS, value.Write(1));
    }

    // Extending an open chain: writes go to the subkey, reads fall back to the
    // chain's own key, and the chain stays open after the holder is gone.
    WriteDword(key_, "Shared", 5);
    {
        TSettingsKey group = TSettingsKey::Extending(chain_, "Group");
        ASSERT_TRUE(group.IsOpen());
        TRegDwordValue shared(&group.Chain(), "Shared");
        EXPECT_EQ(5u, shared.Get(0));
        shared.Write(6);
        EXPECT_EQ(6u, shared.Get(0));
        seen = group.Handle();
    }
    EXPECT_FALSE(IsOpen(seen));
    EXPECT_TRUE(IsOpen(key_));
    DWORD own = 0;
    EXPECT_EQ(ERROR_SUCCESS, ReadDword(key_, "Shared", own));
    EXPECT_EQ(5u, own);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(key_, "Group", 0, KEY_READ, &check));
    EXPECT_EQ(ERROR_SUCCESS, ReadDword(check, "Shared", own));
    EXPECT_EQ(6u, own);
    RegCloseKey(check);
}

TEST_F(RegistryTest, EnumerationEndsWithNoMoreItems)
{
    TStringList names;
    names.Add("stale");
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumSubKeys(key_, names));
    EXPECT_EQ(0, names.Count());
    const std::string longKey(255, 'k'), longValue(300, 'v');
    for (const std::string& name : {std::string("Alpha"), std::string("\x95\x5C"), longKey}) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key_, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                                 nullptr));
        RegCloseKey(key);
    }
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumSubKeys(key_, names));
    EXPECT_EQ(3, names.Count());
    EXPECT_NE(-1, names.IndexOf("\x95\x5C"));
    EXPECT_NE(-1, names.IndexOf(longKey.c_str()));

    for (const char* name : {"One", longValue.c_str(), "Three"})
        WriteDword(key_, name, 1);
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumValueNames(key_, names));
    EXPECT_EQ(3, names.Count());
    EXPECT_NE(-1, names.IndexOf(longValue.c_str()));
    EXPECT_EQ(ERROR_SUCCESS, DeleteAllValues(key_));
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, EnumValueNames(key_, names));
    EXPECT_EQ(0, names.Count());
    EXPECT_EQ(ERROR_INVALID_HANDLE, EnumSubKeys(nullptr, names));
}

TEST_F(RegistryTest, DeletingValuesAndKeys)
{
    TRegistryKeyChain chain;
    chain.AddEntry(root_, "K1");
    chain.AddEntry(root_, "K2");
    ASSERT_EQ(ERROR_SUCCESS, chain.CreateKeys(0));
    const HKEY k1 = chain.EntryHandle(0), k2 = chain.EntryHandle(1);
    WriteDword(k1, "V", 1);
    WriteDword(k2, "V", 2);
    EXPECT_EQ(ERROR_SUCCESS, chain.DeleteValue("V")); // the last key only
    EXPECT_TRUE(ValueExists(k1, "V"));
    EXPECT_FALSE(ValueExists(k2, "V"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.DeleteValue("V"));
    WriteDword(k2, "V", 2);
    EXPECT_EQ(ERROR_SUCCESS, chain.DeleteValueAll("V"));
    EXPECT_FALSE(ValueExists(k1, "V"));
    // The first key's failure is kept while the second is still deleted.
    WriteDword(k2, "V", 2);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.DeleteValueAll("V"));
    EXPECT_FALSE(ValueExists(k2, "V"));
    ASSERT_EQ(ERROR_SUCCESS, chain.CloseKeys());

    EXPECT_EQ(ERROR_SUCCESS, chain.DeleteLastKey());
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(root_, "K2", 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, chain.DeleteKeys()); // K2 is gone; K1 still goes
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExA(root_, "K1", 0, KEY_READ, &key));
}

TEST(TextArrayAndStateBlob, ResizeEmptiesAndCopiesAreExact)
{
    TTextArray texts(2);
    texts.Set(1, "b");
    TTextArray copy(texts);
    texts.Resize(3);
    EXPECT_STREQ("", texts.At(1));
    EXPECT_STREQ("b", copy.At(1));
    texts.Resize(-1);
    EXPECT_EQ(nullptr, texts.Texts);

    const BYTE bytes[3] = {1, 2, 3};
    TStateBlob blob(bytes, 3);
    TStateBlob same(blob);
    EXPECT_NE(blob.Data, same.Data);
    EXPECT_EQ(0, std::memcmp(bytes, same.Data, 3));
    same = TStateBlob(bytes, -4);
    EXPECT_EQ(nullptr, same.Data);
    EXPECT_EQ(0, same.Size);
}
