// The zmask command: single values, streams, batches and misuse.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Runs zmask with the arguments and standard input, in a clean locale.
Result Zmask(const std::vector<std::string>& args, const std::string& input = "") {
  // ctest runs tests as parallel processes: each gets files of its own.
  std::string dir = testing::TempDir() + "zmask_" + std::to_string(getpid()) + "_";
  std::string in = dir + "in", err = dir + "err";
  std::ofstream(in, std::ios::binary) << input;
  std::string cmd = "LC_ALL=C " + Quote(std::string(ZORVA_BINARY_DIR) + "/zmask");
  for (const auto& a : args) cmd += " " + Quote(a);
  cmd += " <" + Quote(in) + " 2>" + Quote(err);
  Result r{};
  FILE* p = popen(cmd.c_str(), "r");
  char buf[4096];
  for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
  int status = pclose(p);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.err = ReadFile(err);
  return r;
}

TEST(Zmask, SingleValues) {
  const struct { std::vector<std::string> args; std::string out; int status; } kCases[] = {
      {{"format", "currency", "", "-1234.5"}, "($1,234.50)\n", 0},
      {{"raw", "currency", "", "($1,234.50)"}, "-1234.5\n", 0},
      {{"check", "byte", "", "127"}, "valid\n", 0},
      {{"check", "byte", "", "128"}, "invalid\n", 1},
      {{"check", "tkMEShortInt", "", "32768"}, "invalid\n", 1},
      {{"format", "2", "mm/dd/yyyy", "2001-12-31"}, "12/31/2001\n", 0},
      {{"raw", "time", "h:mm AM/PM", "1:05 PM"}, "13:05:00\n", 0},
      {{"format", "boolean", "Yes/No", "1"}, "Yes\n", 0},
      {{"raw", "datetime", "mm/dd/yyyy hh:mm", "12/31/2001 10:30"}, "2001-12-31 10:30:00\n", 0},
      {{"raw", "oleobject", "", "x"}, "\n", 0},
      // Terminal text is UTF-8; inside, "é" is the code page's 0xE9.
      {{"raw", "text", "UU", "\xc3\xa9\xc3\xbf"}, "\xc3\x89\xc5\xb8\n", 0},
      {{"raw", "text", "", "\xe4\xb8\xad"}, "?\n", 0},
  };
  for (const auto& c : kCases) {
    Result r = Zmask(c.args);
    EXPECT_EQ(r.out, c.out) << c.args[0] << " " << c.args[1] << " " << c.args[3];
    EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.args[1] << " " << c.args[3];
  }
}

TEST(Zmask, StreamsOneAnswerPerLine) {
  Result r = Zmask({"format", "currency", ""}, "1234.5\n-1\n\n0.125\r\n");
  EXPECT_EQ(r.out, "$1,234.50\n($1.00)\n\n$0.13\n");
  EXPECT_EQ(r.status, 0);
  r = Zmask({"check", "byte", ""}, "1\n2\n");
  EXPECT_EQ(r.out, "valid\nvalid\n");
  EXPECT_EQ(r.status, 0);
  r = Zmask({"check", "byte", ""}, "1\n999\n3");  // a last line without a newline counts
  EXPECT_EQ(r.out, "valid\ninvalid\nvalid\n");
  EXPECT_EQ(r.status, 1);

  std::string many;
  for (int i = 0; i < 20000; ++i) many += std::to_string(i) + "\n";
  r = Zmask({"format", "longint", "#,##0"}, many);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 20000);
  EXPECT_NE(r.out.find("\n19,999\n"), std::string::npos);
}

TEST(Zmask, Batch) {
  Result r = Zmask({"batch"},
                 "check\tbyte\t\t128\n"
                 "raw\ttext\t(###) ###-####\t(555) 123-4567\n"
                 "format\ttkMEDate\tmm/dd/yyyy\t2001-12-31\n"
                 "format\tcurrency\t\t\n"
                 "raw\ttext\tonly three\n"
                 "frobnicate\ttext\t\tx\n"
                 "raw\tnosuchtype\t\tx\n"
                 "raw\t17\t\tx\n");
  EXPECT_EQ(r.out, "invalid\n5551234567\n12/31/2001\n\n\n\n\n\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("line 5: expected 4 tab-separated fields, found 3"), std::string::npos);
  EXPECT_NE(r.err.find("line 6: unknown operation 'frobnicate'"), std::string::npos);
  EXPECT_NE(r.err.find("line 7: unknown type 'nosuchtype'"), std::string::npos);

  std::string file = testing::TempDir() + "zmask_batch_" + std::to_string(getpid());
  std::ofstream(file) << "check\tbyte\t\t1\n";
  r = Zmask({"batch", file});
  EXPECT_EQ(r.out, "valid\n");
  EXPECT_EQ(r.status, 0);
}

TEST(Zmask, Misuse) {
  const struct { std::vector<std::string> args; const char* message; } kCases[] = {
      {{}, "Usage"},
      {{"frobnicate", "text", "", "x"}, "unknown command"},
      {{"raw", "nosuchtype", "", "x"}, "unknown type"},
      {{"raw", "18", "", "x"}, "unknown type"},
      {{"raw", "text"}, "MASK is required"},
      {{"raw", "text", "", "x", "--frobnicate"}, "--frobnicate"},
      {{"batch", "/nonexistent/file"}, "cannot open"},
  };
  for (const auto& c : kCases) {
    Result r = Zmask(c.args);
    EXPECT_EQ(r.status, 2) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  Result help = Zmask({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("examples:"), std::string::npos);
}

}  // namespace
