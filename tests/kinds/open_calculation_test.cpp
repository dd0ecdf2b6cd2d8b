// Opening a calculation from a file: each kind of file that cannot be opened gives its cause
// in one message naming the file and, where there is one, the line.
#include "kinds/open_calculation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "row_name.h"

namespace fondara {
namespace {

namespace fs = std::filesystem;

struct FileRow {
  const char* name;
  std::string content;  // written to the file unless `make` makes it
  const char* make;     // shell command run in the folder, making "f", or null
  std::string message;  // with the file called "f"
};

const std::string also =
    ": si aprono i file di dati di Fondara (.fondara) e le relazioni PDF/A "
    "salvate da Fondara.";

const FileRow rows[] = {
    {"missing", "", "true", "Impossibile aprire il file \"f\": il file non esiste."},
    {"folder", "", "mkdir f", "Impossibile aprire il file \"f\": è una cartella."},
    {"fifo_without_writer", "", "mkfifo f",
     "Impossibile aprire il file \"f\": non è un file regolare."},
    {"larger_than_a_mebibyte", std::string(1024 * 1024 + 1, '#'), nullptr,
     "Impossibile aprire il file \"f\": è più grande di 1 MiB."},
    {"pdf_without_data", "%PDF-1.4\n%%EOF\n", nullptr,
     "Impossibile aprire il file \"f\": è un PDF senza i dati di Fondara" + also},
    {"text_report", "PROGRAMMA: FONDARA VER.3.0/2012\r\n", nullptr,
     "Impossibile aprire il file \"f\": è una relazione di testo" + also},
    {"later_version", "FONDARA-DATI 7\n", nullptr,
     "Impossibile aprire il file \"f\": è stato scritto da una versione più recente di Fondara "
     "(formato 7) (riga 1)."},
};

class OpenCalculation : public testing::TestWithParam<FileRow> {};

TEST_P(OpenCalculation, RefusesWithOneMessage) {
  char name[] = "/tmp/fondara-apri-XXXXXX";
  ASSERT_NE(::mkdtemp(name), nullptr);
  const fs::path folder(name);
  const fs::path file = folder / "f";
  if (GetParam().make)
    ASSERT_EQ(std::system(("cd " + folder.string() + " && " + GetParam().make).c_str()), 0);
  else
    std::ofstream(file, std::ios::binary) << GetParam().content;
  const auto opened = open_calculation(file.string());
  ASSERT_FALSE(opened.ok());
  EXPECT_EQ(open_failure_message("\"f\"", opened.error()), GetParam().message);
  fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Files, OpenCalculation, testing::ValuesIn(rows),
                         testing_support::RowName{});

// Read by a user without the permission: root is such a user once it has given up its rights,
// in a child process.
TEST(OpenCalculation, AnUnreadableFileNamesTheCause) {
  char name[] = "/tmp/fondara-apri-XXXXXX";
  ASSERT_NE(::mkdtemp(name), nullptr);
  const std::string file = std::string(name) + "/f";
  std::ofstream(file) << "FONDARA-DATI 1\n";
  ::chmod(file.c_str(), 0);
  int cause[2];
  ASSERT_EQ(::pipe(cause), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(2);
    const auto opened = open_calculation(file);
    const std::string text = opened ? "" : opened.error().cause;
    ::_exit(::write(cause[1], text.data(), text.size()) < 0 ? 3 : 0);
  }
  ::close(cause[1]);
  char buffer[256];
  const ssize_t size = ::read(cause[0], buffer, sizeof buffer);
  ::close(cause[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(size, 0))),
            "permesso negato");
  fs::remove_all(name);
}

}  // namespace
}  // namespace fondara
