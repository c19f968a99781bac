#include "platform/Registry.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr auto user = RegistryHive::CurrentUser;
constexpr auto machine = RegistryHive::LocalMachine;

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::path(std::getenv("HOME")) /
                 testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder);
    }

    static std::string ReadFile(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    // Runs body in a child process; true when it exited with 0.
    template <class Body> static bool InChildProcess(Body body) {
        const pid_t child = fork();
        if (child == 0)
            _exit(body() ? 0 : 1);
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    std::filesystem::path folder;
};

TEST_F(RegistryTest, ValuesAndKeyTreesSurviveANewProcess) {
    ASSERT_TRUE(InChildProcess([&] {
        Registry registry(folder);
        return registry.CreateKey(user, "Software\\Vantrel\\Tabrix Pro\\Main").ok &&
               registry.CreateKey(user, "Software\\Vantrel\\Tabrix Pro\\Recent\\Empty").ok &&
               registry
                   .WriteValue(user, "Software\\Vantrel\\Tabrix Pro\\Main", "Top",
                               RegistryValue::Integer(4294967295u))
                   .ok &&
               registry
                   .WriteValue(user, "Software\\Vantrel\\Tabrix Pro\\Main", "Caption",
                               RegistryValue::String("Tabrix Pro"))
                   .ok &&
               registry.CreateKey(machine, "Software\\Uninstall\\Tabrix Pro").ok;
    }));
    Registry registry(folder);
    EXPECT_EQ(registry.ReadValue(user, "Software\\Vantrel\\Tabrix Pro\\Main", "Top"),
              RegistryValue::Integer(4294967295u));
    EXPECT_EQ(registry.ReadValue(user, "Software\\Vantrel\\Tabrix Pro\\Main", "Caption"),
              RegistryValue::String("Tabrix Pro"));
    EXPECT_TRUE(registry.KeyExists(user, "Software\\Vantrel\\Tabrix Pro\\Recent\\Empty"));
    EXPECT_EQ(registry.SubKeyNames(user, "Software\\Vantrel\\Tabrix Pro"),
              (std::vector<std::string>{"Main", "Recent"}));
    EXPECT_TRUE(registry.KeyExists(machine, "Software\\Uninstall\\Tabrix Pro"));
    EXPECT_FALSE(registry.KeyExists(user, "Software\\Uninstall"));
}

TEST_F(RegistryTest, AnOpenStoreSeesChangesMadeByAnotherProcess) {
    Registry registry(folder);
    ASSERT_TRUE(registry.CreateKey(user, "Software\\A").ok);
    ASSERT_TRUE(registry.WriteValue(user, "Software\\A", "Mine", RegistryValue::String("1")).ok);
    EXPECT_FALSE(registry.ReadValue(user, "Software\\A", "Theirs"));
    ASSERT_TRUE(InChildProcess([&] {
        Registry other(folder);
        return other.WriteValue(user, "Software\\A", "Theirs", RegistryValue::String("2")).ok;
    }));
    EXPECT_EQ(registry.ReadValue(user, "Software\\A", "Theirs"), RegistryValue::String("2"));
    // Our next change starts from their state, so neither value is lost.
    ASSERT_TRUE(registry.WriteValue(user, "Software\\A", "Third", RegistryValue::Integer(3)).ok);
    EXPECT_EQ(Registry(folder).ValueNames(user, "Software\\A"),
              (std::vector<std::string>{"Mine", "Theirs", "Third"}));
}

TEST_F(RegistryTest, DeleteKeyRemovesTheWholeTreeAndNothingElse) {
    Registry registry(folder);
    for (const char* key : {"S\\T\\Toolbars\\Bar1\\Deep", "S\\T\\Recent", "S\\T\\Options",
                            "S\\T\\Main", "S\\Toolbars"})
        ASSERT_TRUE(registry.CreateKey(user, key).ok);
    ASSERT_TRUE(
        registry.WriteValue(user, "S\\T\\Toolbars\\Bar1", "X", RegistryValue::Integer(1)).ok);
    ASSERT_TRUE(registry.DeleteKey(user, "S\\T\\TOOLBARS").ok);
    EXPECT_FALSE(registry.KeyExists(user, "S\\T\\Toolbars\\Bar1\\Deep"));
    EXPECT_FALSE(registry.KeyExists(user, "S\\T\\Toolbars"));
    EXPECT_TRUE(registry.KeyExists(user, "S\\Toolbars"));
    EXPECT_EQ(Registry(folder).SubKeyNames(user, "S\\T"),
              (std::vector<std::string>{"Main", "Options", "Recent"}));
    EXPECT_FALSE(registry.DeleteKey(user, "S\\T\\Toolbars").ok); // already gone
    EXPECT_FALSE(registry.DeleteKey(user, "\\").ok);             // never the root
}

TEST_F(RegistryTest, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
    Registry registry(folder);
    ASSERT_TRUE(registry.CreateKey(user, "\\Software\\Vantrel\\Tabrix Pro\\").ok);
    EXPECT_TRUE(registry.KeyExists(user, "software\\VANTREL\\tabrix pro"));
    EXPECT_TRUE(registry.KeyExists(user, "Software\\\\Vantrel\\Tabrix Pro"));
    ASSERT_TRUE(registry
                    .WriteValue(user, "SOFTWARE\\vantrel\\TABRIX PRO", "DisplayName",
                                RegistryValue::String("one"))
                    .ok);
    ASSERT_TRUE(registry
                    .WriteValue(user, "Software\\Vantrel\\Tabrix Pro", "DISPLAYNAME",
                                RegistryValue::String("two"))
                    .ok);
    EXPECT_EQ(registry.ValueNames(user, "Software\\Vantrel\\Tabrix Pro"),
              std::vector<std::string>{"DisplayName"});
    EXPECT_EQ(registry.ReadValue(user, "software\\vantrel\\tabrix pro", "displayname"),
              RegistryValue::String("two"));
    EXPECT_EQ(registry.SubKeyNames(user, "SOFTWARE"), std::vector<std::string>{"Vantrel"});
    // Non-ASCII names fold as Unicode: "ÄPFEL" and "äpfel" are one key.
    ASSERT_TRUE(registry.CreateKey(user, "\xC3\x84PFEL").ok);
    EXPECT_TRUE(registry.KeyExists(user, "\xC3\xA4pfel"));
}

TEST_F(RegistryTest, AnyByteStringSurvivesAsNameOrValue) {
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte)
        bytes.push_back(static_cast<char>(byte == '\\' ? 0 : byte));
    const std::string key = "Bytes\\" + bytes;
    {
        Registry registry(folder);
        ASSERT_TRUE(registry.CreateKey(user, key).ok);
        ASSERT_TRUE(registry.WriteValue(user, key, bytes + "\\=", RegistryValue::String(bytes)).ok);
        ASSERT_TRUE(registry.WriteValue(user, key, "", RegistryValue::String("\r\n%41=[]")).ok);
    }
    Registry registry(folder);
    EXPECT_EQ(registry.SubKeyNames(user, "Bytes"), std::vector<std::string>{bytes});
    EXPECT_EQ(registry.ReadValue(user, key, bytes + "\\="), RegistryValue::String(bytes));
    EXPECT_EQ(registry.ReadValue(user, key, ""), RegistryValue::String("\r\n%41=[]"));
    EXPECT_EQ(registry.LoadProblem(user), "");
}

TEST_F(RegistryTest, MissingKeysAndValuesAreReportedNotCreated) {
    Registry registry(folder);
    EXPECT_FALSE(registry.ReadValue(user, "Nowhere", "X"));
    EXPECT_FALSE(registry.WriteValue(user, "Nowhere", "X", RegistryValue::Integer(1)).ok);
    EXPECT_FALSE(registry.KeyExists(user, "Nowhere"));
    EXPECT_TRUE(registry.SubKeyNames(user, "Nowhere").empty());
    ASSERT_TRUE(registry.CreateKey(user, "Here").ok);
    EXPECT_FALSE(registry.DeleteValue(user, "Here", "X").ok);
    ASSERT_TRUE(registry.WriteValue(user, "Here", "X", RegistryValue::Integer(1)).ok);
    EXPECT_TRUE(registry.DeleteValue(user, "Here", "x").ok);
    EXPECT_FALSE(registry.ReadValue(user, "Here", "X"));
}

TEST_F(RegistryTest, KeysOpenReadOnlyOrForWriting) {
    Registry registry(folder);
    EXPECT_FALSE(RegistryKey::Open(registry, machine, "Software\\RunOnce"));
    EXPECT_FALSE(registry.KeyExists(machine, "Software\\RunOnce")); // opening created nothing

    RegistryStatus status;
    auto runOnce = RegistryKey::OpenOrCreate(registry, machine, "Software\\RunOnce", &status);
    ASSERT_TRUE(runOnce) << status.message;
    EXPECT_TRUE(runOnce->WriteString("Delete Tabrix Pro", "del x").ok);
    EXPECT_TRUE(runOnce->WriteInteger("Count", 2).ok);
    EXPECT_EQ(runOnce->ReadString("delete tabrix pro"), "del x");
    EXPECT_EQ(runOnce->ReadInteger("Count"), 2u);
    EXPECT_FALSE(runOnce->ReadInteger("Delete Tabrix Pro")); // a string is no integer
    EXPECT_FALSE(runOnce->ReadString("Count"));

    auto reading = RegistryKey::Open(registry, machine, "software\\runonce");
    ASSERT_TRUE(reading);
    EXPECT_TRUE(reading->ValueExists("Count"));
    EXPECT_FALSE(reading->WriteString("X", "y").ok);
    EXPECT_FALSE(reading->DeleteValue("Count").ok);
    EXPECT_TRUE(reading->ValueExists("Count"));

    ASSERT_TRUE(runOnce->WriteString("Sub\\Key", "kept").ok);
    ASSERT_TRUE(registry.CreateKey(machine, "Software\\RunOnce\\Sub\\Deeper").ok);
    EXPECT_EQ(runOnce->SubKeyNames(), std::vector<std::string>{"Sub"});
    EXPECT_FALSE(runOnce->DeleteSubKey("").ok);
    EXPECT_TRUE(runOnce->DeleteSubKey("Sub").ok);
    EXPECT_TRUE(runOnce->SubKeyNames().empty());
    EXPECT_EQ(runOnce->ValueNames(),
              (std::vector<std::string>{"Count", "Delete Tabrix Pro", "Sub\\Key"}));

    ASSERT_TRUE(registry.DeleteKey(machine, "Software\\RunOnce").ok);
    EXPECT_FALSE(runOnce->WriteString("X", "y").ok); // the key is gone
    EXPECT_FALSE(runOnce->ValueExists("Count"));
}

TEST_F(RegistryTest, ADamagedFileReadsAsEmptyAndIsKeptAsideBeforeTheFirstChange) {
    const std::string damaged = "Tabrix Pro registry 1\n[Software]\nS Name=ok\nnonsense\n";
    std::filesystem::create_directories(folder);
    Registry registry(folder);
    const auto file = registry.HiveFile(user);
    std::ofstream(file, std::ios::binary) << damaged;

    EXPECT_FALSE(registry.KeyExists(user, "Software"));
    EXPECT_NE(registry.LoadProblem(user).find("line 4"), std::string::npos)
        << registry.LoadProblem(user);
    EXPECT_EQ(ReadFile(file), damaged); // reading changes nothing

    const RegistryStatus status = registry.CreateKey(user, "Fresh");
    EXPECT_TRUE(status.ok);
    EXPECT_NE(status.message.find(".bad"), std::string::npos) << status.message;
    EXPECT_EQ(ReadFile(file.string() + ".bad"), damaged);
    EXPECT_EQ(registry.LoadProblem(user), "");
    EXPECT_TRUE(Registry(folder).KeyExists(user, "Fresh"));

    // A second damaged file does not overwrite the first copy.
    std::ofstream(file, std::ios::binary) << "garbage";
    EXPECT_TRUE(registry.CreateKey(user, "Again").ok);
    EXPECT_EQ(ReadFile(file.string() + ".bad"), damaged);
    EXPECT_EQ(ReadFile(file.string() + ".bad1"), "garbage");
}

TEST_F(RegistryTest, DamageOfEveryKindIsDetected) {
    const char* bodies[] = {
        "wrong header\n",
        "Tabrix Pro registry 1\nS Orphan=value\n",      // value before any key
        "Tabrix Pro registry 1\n[K]\nI N=12x\n",        // not a number
        "Tabrix Pro registry 1\n[K]\nI N=4294967296\n", // too large for a DWORD
        "Tabrix Pro registry 1\n[K]\nS N%4=x\n",        // cut escape
        "Tabrix Pro registry 1\n[K]\nS NoEquals\n",
        "Tabrix Pro registry 1\n[K%ZZ]\n",
        "Tabrix Pro registry 1\n[K]\nX N=1\n",
    };
    std::filesystem::create_directories(folder);
    Registry registry(folder);
    for (const char* body : bodies) {
        std::ofstream(registry.HiveFile(user), std::ios::binary | std::ios::trunc) << body;
        EXPECT_NE(registry.LoadProblem(user), "") << body;
        EXPECT_FALSE(registry.KeyExists(user, "K")) << body;
    }
}

TEST_F(RegistryTest, SavesLeaveNoTemporaryFilesBehind) {
    Registry registry(folder);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(registry.CreateKey(user, "Key" + std::to_string(i)).ok);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"HKEY_CURRENT_USER.hive", "HKEY_CURRENT_USER.hive.lock"}));
}

TEST_F(RegistryTest, DefaultFolderIsTheUsersDataFolder) {
    EXPECT_EQ(Registry::DefaultFolder(),
              std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "Tabrix_Pro/");
}

} // namespace
