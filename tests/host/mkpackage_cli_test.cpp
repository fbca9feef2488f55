// The mkpackage binary, run as a separate process.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "package/package_walk.h"
#include "tests/host/synthetic_pe.h"
#include "tests/host/test_support.h"
#include "tools/mkpackage/package_builder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using host_test::Bytes;
using host_test::NoiseBytes;
using host_test::ReadFileBytes;
using host_test::TempDir;
using host_test::ToBytes;
using mkpackage::BuildAppendedFile;
using mkpackage::BuildResourcePackage;
using mkpackage::CompressZlib;
using mkpackage::MakeEntry;
using mkpackage::StoredEntry;

const Bytes kAbcStream = {0x78, 0x9c, 0x4b, 0x4c, 0x4a, 0x06, 0x00, 0x02, 0x4d, 0x01, 0x27};

struct Outcome {
  int exitCode = -1;  // 128 + signal when killed
  std::string out;
  std::string err;
};

Bytes AllByteValues() {
  Bytes bytes;
  for (int round = 0; round < 3; ++round) {
    for (int value = 0; value < 256; ++value) bytes.push_back(static_cast<uint8_t>(value));
  }
  return bytes;
}

size_t CountFiles(const fs::path& dir) {
  if (!fs::exists(dir)) return 0;
  return static_cast<size_t>(std::count_if(fs::recursive_directory_iterator(dir), {},
                                           [](const auto& item) { return item.is_regular_file(); }));
}

class MkpackageCli : public ::testing::Test {
 protected:
  Outcome Run(const std::vector<std::string>& args) {
    const fs::path outPath = m_io / "stdout";
    const fs::path errPath = m_io / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> all = {MKPACKAGE_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, MKPACKAGE_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Outcome outcome;
    if (spawned != 0) {
      ADD_FAILURE() << "cannot run " << MKPACKAGE_PATH;
      return outcome;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    outcome.out = host_test::ToText(ReadFileBytes(outPath));
    outcome.err = host_test::ToText(ReadFileBytes(errPath));
    return outcome;
  }

  std::string Write(const std::string& name, std::span<const uint8_t> bytes) {
    const fs::path path = m_work / name;
    host_test::WriteFileBytes(path, bytes);
    return path.string();
  }

  std::string PathOf(const std::string& name) const { return (m_work / name).string(); }

  static void ExpectOneLineError(const Outcome& outcome, const std::string& context = "") {
    EXPECT_EQ(outcome.exitCode, 1) << context << outcome.err;
    EXPECT_EQ(outcome.out, "") << context;
    EXPECT_EQ(outcome.err.rfind("mkpackage: ", 0), 0u) << context << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << context << outcome.err;
    EXPECT_EQ(outcome.err.back(), '\n') << context;
  }

  TempDir m_work;
  TempDir m_io;
};

TEST_F(MkpackageCli, CreateStoresBaseNamesAndGivenNamesInOrder) {
  const std::string text = Write("Text.ini", ToBytes("abc"));
  const std::string driver = Write("driver.bin", ToBytes("driver"));
  const std::string out = PathOf("out.pkg");
  const Outcome created =
      Run({"create", out, text, "drivers\\x64\\a.dll=" + driver, "notes/readme.txt=" + text});
  ASSERT_EQ(created.exitCode, 0) << created.err;
  EXPECT_EQ(created.out, "");
  EXPECT_EQ(ReadFileBytes(out), BuildResourcePackage({MakeEntry("Text.ini", "abc"),
                                                      MakeEntry("drivers\\x64\\a.dll", "driver"),
                                                      MakeEntry("notes\\readme.txt", "abc")}));
}

TEST_F(MkpackageCli, CreateThenExtractRoundTripsEveryByte) {
  const std::vector<std::pair<std::string, Bytes>> files = {
      {"empty.bin", {}}, {"all.bin", AllByteValues()}, {"noise.bin", NoiseBytes(50000, 31)}};
  std::vector<std::string> args = {"create", PathOf("out.pkg")};
  for (const auto& [name, content] : files) args.push_back(Write(name, content));
  args.push_back("drivers\\x64\\nested.bin=" + PathOf("noise.bin"));
  ASSERT_EQ(Run(args).exitCode, 0);

  const fs::path dir = m_work.Path() / "extracted";
  const Outcome extracted = Run({"extract", PathOf("out.pkg"), dir.string()});
  ASSERT_EQ(extracted.exitCode, 0) << extracted.err;
  EXPECT_NE(extracted.out.find("resource-form package, 4 entries"), std::string::npos);
  for (const auto& [name, content] : files) EXPECT_EQ(ReadFileBytes(dir / name), content) << name;
  EXPECT_EQ(ReadFileBytes(dir / "drivers" / "x64" / "nested.bin"), files[2].second);
  EXPECT_EQ(CountFiles(dir), 4u);
}

TEST_F(MkpackageCli, AppendThenExtractRoundTripsWithAndWithoutAHeader) {
  const Bytes stub = NoiseBytes(777, 41);
  const std::string stubPath = Write("stub.exe", stub);
  const Bytes content = AllByteValues();
  const std::string input = Write("data.bin", content);
  for (const std::string header : {"", "HEADER TEXT"}) {
    const std::string out = PathOf("appended.exe");
    std::vector<std::string> args = {"append", stubPath, out};
    if (!header.empty()) args.insert(args.end(), {"--header", header});
    args.push_back("sub\\data.bin=" + input);
    ASSERT_EQ(Run(args).exitCode, 0) << header;

    const Bytes file = ReadFileBytes(out);
    ASSERT_GT(file.size(), stub.size() + 4 + header.size() + 8);
    EXPECT_TRUE(std::equal(stub.begin(), stub.end(), file.begin()));
    EXPECT_EQ(package::ReadLittleEndian32(&file[stub.size()]), header.size());
    EXPECT_EQ(host_test::ToText({&file[stub.size() + 4], header.size()}), header);
    EXPECT_EQ(package::ReadLittleEndian32(&file[file.size() - 8]), 1u);
    EXPECT_EQ(package::ReadLittleEndian32(&file[file.size() - 4]), stub.size());

    const fs::path dir = m_work.Path() / ("out" + std::to_string(header.size()));
    const Outcome extracted = Run({"extract", out, dir.string()});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.err;
    EXPECT_NE(extracted.out.find("appended package at offset 777"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir / "sub" / "data.bin"), content);
  }
}

// A signed stub loses its signature, and says so: the package goes where the table was.
TEST_F(MkpackageCli, AppendRemovesTheSignatureOfASignedStub) {
  const Bytes unsignedStub = host_test::BuildSyntheticPe({});
  Bytes signedStub = unsignedStub;
  host_test::AppendCertificateTable(signedStub, false);
  const std::string stubPath = Write("signed-stub.exe", signedStub);
  const std::string out = PathOf("appended.exe");
  const Outcome appended = Run({"append", stubPath, out, "--header", "demo", "a.txt=" + Write("a", ToBytes("abc"))});
  ASSERT_EQ(appended.exitCode, 0) << appended.err;
  EXPECT_EQ(appended.out, stubPath + ": Authenticode signature removed before appending; sign " + out +
                              " afterwards\n");
  EXPECT_EQ(ReadFileBytes(out), BuildAppendedFile(unsignedStub, "demo", {MakeEntry("a.txt", "abc")}));
}

TEST_F(MkpackageCli, AppendRefusesAStubWhoseCertificateTableDoesNotEndIt) {
  Bytes stub = host_test::BuildSyntheticPe({});
  host_test::AppendCertificateTable(stub, false);
  stub.insert(stub.end(), 64, 0x5a);
  ExpectOneLineError(Run({"append", Write("stub.exe", stub), PathOf("out"), Write("a", ToBytes("abc"))}));
  EXPECT_FALSE(fs::exists(PathOf("out")));
}

// A vendor signs the appended installer afterwards; every reading command still finds the package.
TEST_F(MkpackageCli, ListExtractAndVerifyReadASignedAppendedInstaller) {
  const std::vector<StoredEntry> entries = {{"Text.ini", kAbcStream}};
  host_test::PeResource otherType;
  otherType.numericType = 3;
  Bytes file = BuildAppendedFile(host_test::BuildSyntheticPe(otherType), "H", entries);
  host_test::AppendCertificateTable(file, false);
  const std::string path = Write("signed.exe", file);
  const Outcome listed = Run({"list", path});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_EQ(listed.out, "Text.ini\t11\t3\n");
  const Outcome verified = Run({"verify", path});
  EXPECT_EQ(verified.exitCode, 0) << verified.err;
  EXPECT_NE(verified.out.find("before an Authenticode signature, 1 entry"), std::string::npos) << verified.out;
  const fs::path dir = m_work.Path() / "extracted";
  ASSERT_EQ(Run({"extract", path, dir.string()}).exitCode, 0);
  EXPECT_EQ(ReadFileBytes(dir / "Text.ini"), ToBytes("abc"));
}

TEST_F(MkpackageCli, ListPrintsNameStoredSizeAndUncompressedSizeInEveryForm) {
  const Bytes bigStream = CompressZlib(NoiseBytes(20000, 51));
  const std::vector<StoredEntry> entries = {{"Text.ini", kAbcStream}, {"drivers\\a.dll", bigStream}};
  const std::string expected =
      "Text.ini\t11\t3\ndrivers\\a.dll\t" + std::to_string(bigStream.size()) + "\t20000\n";
  host_test::PeResource pe;
  pe.data = BuildResourcePackage(entries);
  for (const Bytes& file : {BuildResourcePackage(entries),
                            BuildAppendedFile(ToBytes("stub"), "H", entries),
                            host_test::BuildSyntheticPe(pe)}) {
    const Outcome listed = Run({"list", Write("package", file)});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, expected);
    EXPECT_EQ(listed.err, "");
  }
}

TEST_F(MkpackageCli, VerifyNamesTheFormItFound) {
  const std::vector<StoredEntry> entries = {{"Text.ini", kAbcStream}};
  host_test::PeResource pe;
  pe.data = BuildResourcePackage(entries);
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {BuildResourcePackage(entries), "resource-form package, 1 entry"},
      {BuildAppendedFile(ToBytes("stub"), "", entries), "appended package at offset 4, 1 entry"},
      {host_test::BuildSyntheticPe(pe), "resource INSTALL/142 of a Windows executable, 1 entry"}};
  for (const auto& [file, form] : cases) {
    const Outcome verified = Run({"verify", Write("package", file)});
    EXPECT_EQ(verified.exitCode, 0) << verified.err;
    EXPECT_NE(verified.out.find(form), std::string::npos) << verified.out;
  }
}

// The installer writes the content of a stream that ends before its stored bytes do: list and
// extract show and lay down the same; verify reports the trailing bytes.
TEST_F(MkpackageCli, BytesAfterAStreamAreListedAndExtractedAsTheInstallerTakesThemButNotVerified) {
  Bytes padded = kAbcStream;
  padded.insert(padded.end(), 8, 0);
  const std::string file = Write("package", BuildResourcePackage({{"good.txt", kAbcStream}, {"padded.txt", padded}}));
  const Outcome verified = Run({"verify", file});
  ExpectOneLineError(verified, "verify");
  EXPECT_NE(verified.err.find("\"padded.txt\": zlib stream ends 8 bytes before the stored data does"), std::string::npos)
      << verified.err;
  const Outcome listed = Run({"list", file});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_NE(listed.out.find("padded.txt\t" + std::to_string(padded.size()) + "\t3\n"), std::string::npos) << listed.out;
  const fs::path dir = m_work.Path() / "out";
  const Outcome extracted = Run({"extract", file, dir.string()});
  EXPECT_EQ(extracted.exitCode, 0) << extracted.err;
  EXPECT_EQ(ReadFileBytes(dir / "padded.txt"), ToBytes("abc"));
}

TEST_F(MkpackageCli, VerifyAndListRefuseStreamsTheInstallerWouldAccept) {
  const Bytes cutShort(kAbcStream.begin(), kAbcStream.end() - 4);
  Bytes badChecksum = kAbcStream;
  badChecksum.back() ^= 1;
  for (const Bytes& stored : {cutShort, badChecksum, Bytes{}}) {
    const std::string file =
        Write("package", BuildResourcePackage({{"good.txt", kAbcStream}, {"bad.txt", stored}}));
    for (const char* command : {"verify", "list"}) {
      const Outcome outcome = Run({command, file});
      ExpectOneLineError(outcome, command);
      EXPECT_NE(outcome.err.find("\"bad.txt\""), std::string::npos) << outcome.err;
    }
  }
}

TEST_F(MkpackageCli, CreateAndAppendRefuseNamesThatLeaveTheFolder) {
  const std::string input = Write("in.txt", ToBytes("x"));
  const std::string stub = Write("stub", ToBytes("stub"));
  for (const std::string& name : std::vector<std::string>{"..\\x", "a\\..\\..\\x", "../x", "C:x", "C:\\x", "\\x", "/x",
                                 "a\\\\b", "", std::string(256, 'n')}) {
    const std::string out = PathOf("out.pkg");
    ExpectOneLineError(Run({"create", out, name + "=" + input}), name);
    ExpectOneLineError(Run({"append", stub, out, name + "=" + input}), name);
    EXPECT_FALSE(fs::exists(out)) << name;
  }
  EXPECT_EQ(Run({"create", PathOf("ok.pkg"), std::string(255, 'n') + "=" + input}).exitCode, 0);
}

TEST_F(MkpackageCli, CreateAppendAndVerifyRefuseDeviceNamesNamingTheEntry) {
  const std::string input = Write("in.txt", ToBytes("x"));
  const std::string stub = Write("stub", ToBytes("stub"));
  for (const std::string name : {"CON", "nul.txt", "docs\\LPT1", "Aux.dat", "com3\\readme.txt"}) {
    const std::string out = PathOf("out.pkg");
    for (const Outcome& refused :
         {Run({"create", out, name + "=" + input}), Run({"append", stub, out, name + "=" + input}),
          Run({"verify", Write("made.pkg", BuildResourcePackage({MakeEntry("ok.txt", "x"), MakeEntry(name, "x")}))})}) {
      ExpectOneLineError(refused, name);
      EXPECT_NE(refused.err.find("\"" + name + "\""), std::string::npos) << refused.err;
      EXPECT_NE(refused.err.find("device"), std::string::npos) << refused.err;
    }
    EXPECT_FALSE(fs::exists(out)) << name;
  }
}

// The installer skips such names: a package that verifies lays down every entry.
TEST_F(MkpackageCli, VerifyRefusesNamesThatLeaveTheFolder) {
  const std::string file =
      Write("package", BuildResourcePackage({MakeEntry("good.txt", "g"), MakeEntry("..\\evil.txt", "e")}));
  const Outcome verified = Run({"verify", file});
  ExpectOneLineError(verified);
  EXPECT_NE(verified.err.find("\"..\\evil.txt\""), std::string::npos) << verified.err;
}

TEST_F(MkpackageCli, CreateRefusesClashingNames) {
  const std::string input = Write("in.txt", ToBytes("x"));
  ExpectOneLineError(Run({"create", PathOf("o"), "a.txt=" + input, "A.TXT=" + input}));
  ExpectOneLineError(Run({"create", PathOf("o"), "dir=" + input, "dir\\b=" + input}));
  EXPECT_FALSE(fs::exists(PathOf("o")));
}

TEST_F(MkpackageCli, AppendRefusesHeadersOver50Bytes) {
  const std::string input = Write("in.txt", ToBytes("x"));
  const std::string stub = Write("stub", ToBytes("stub"));
  ExpectOneLineError(Run({"append", stub, PathOf("long"), "--header", std::string(51, 'h'), input}));
  EXPECT_FALSE(fs::exists(PathOf("long")));
  EXPECT_EQ(Run({"append", stub, PathOf("ok"), "--header", std::string(50, 'h'), input}).exitCode, 0);
}

TEST_F(MkpackageCli, ExtractRefusesBadNamesBeforeWritingAnything) {
  const fs::path dir = m_work.Path() / "out" / "inner";
  for (const std::string bad : {"..\\evil.txt", "..\\..\\evil.txt", "C:evil.txt", "\\evil.txt",
                                "/evil.txt", "sub\\\\evil.txt"}) {
    const std::string file =
        Write("package", BuildResourcePackage({MakeEntry("good.txt", "g"), MakeEntry(bad, "e")}));
    ExpectOneLineError(Run({"extract", file, dir.string()}), bad);
    EXPECT_EQ(CountFiles(m_work.Path() / "out"), 0u) << bad;
    EXPECT_FALSE(fs::exists(m_work.Path() / "evil.txt")) << bad;
  }
}

TEST_F(MkpackageCli, ExtractChecksEveryStreamBeforeWriting) {
  Bytes corrupt = CompressZlib(ToBytes("second"));
  corrupt.back() ^= 1;
  const std::string file =
      Write("package", BuildResourcePackage({MakeEntry("first.txt", "first"), {"second.txt", corrupt}}));
  const fs::path dir = m_work.Path() / "out";
  ExpectOneLineError(Run({"extract", file, dir.string()}));
  EXPECT_EQ(CountFiles(dir), 0u);
}

TEST_F(MkpackageCli, EveryTruncatedPackageFailsWithOneLine) {
  const std::vector<StoredEntry> entries = {MakeEntry("Text.ini", "abc"), MakeEntry("b\\c.txt", "def")};
  for (const Bytes& file : {BuildResourcePackage(entries),
                            BuildAppendedFile(ToBytes("MZ stub"), "HDR", entries)}) {
    for (size_t size = 0; size < file.size(); ++size) {
      const std::string cut = Write("cut", host_test::ExactPrefix(file, size));
      ExpectOneLineError(Run({"verify", cut}), "verify at " + std::to_string(size) + ": ");
      if (size % 5 == 0) {
        ExpectOneLineError(Run({"list", cut}), "list at " + std::to_string(size) + ": ");
        ExpectOneLineError(Run({"extract", cut, PathOf("dir")}), "extract at " + std::to_string(size));
      }
    }
  }
  EXPECT_FALSE(fs::exists(PathOf("dir")));
}

TEST_F(MkpackageCli, MissingFilesAreOneLineErrors) {
  ExpectOneLineError(Run({"list", PathOf("absent")}));
  ExpectOneLineError(Run({"create", PathOf("out"), PathOf("absent")}));
  EXPECT_FALSE(fs::exists(PathOf("out")));
}

TEST_F(MkpackageCli, UsageErrorsPrintTheUsageAndExitTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"list"},
      {"list", "a", "b"},
      {"verify"},
      {"extract", "file"},
      {"create", "out"},
      {"append", "stub", "out"},
      {"append", "stub", "out", "--header", "H"}};
  for (const auto& args : cases) {
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.exitCode, 2) << testing::PrintToString(args);
    EXPECT_EQ(outcome.err.rfind("mkpackage: ", 0), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find("usage: mkpackage"), std::string::npos);
  }
  const Outcome help = Run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("NAME<TAB>STORED-SIZE<TAB>UNCOMPRESSED-SIZE"), std::string::npos);
}

}  // namespace
