#include "cli/batch.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <thread>

#include "cli/commands.h"
#include "model/jsonform.h"
#include "storage/fileloader.h"

namespace zorv::cli {

const char* const kBatchHelp =
    "Несколько файлов и папок за один вызов (check, calc -o ПАПКА, convert -o ПАПКА --to РАСШ, "
    "export): -j N - число потоков (по умолчанию по числу ядер), --json - строки результата в "
    "JSON.\n"
    "Для каждого файла одна строка: ФАЙЛ<таб>ИТОГ<таб>СООБЩЕНИЕ ИЛИ ИМЯ ЗАПИСАННОГО ФАЙЛА, где "
    "ИТОГ - «готово», «отказ» (декларация с ошибкой) или «сбой» (файл не прочитан или не "
    "записан); затем строка «Итого: ...».\n"
    "С --json - объект на файл {\"file\", \"status\", \"outcome\": \"done\"|\"problem\"|"
    "\"failed\", \"message\", \"output\"} и итоговый объект {\"summary\": {...}}.\n"
    "Код завершения: 0 - всё готово, 1 - есть отказ, 2 - есть сбой или ошибка вызова; при "
    "нескольких файлах - худший из них. Файл с ошибкой не мешает остальным и не оставляет "
    "частично записанных файлов; совпадающие имена выходных файлов отклоняются до записи.";

namespace {

bool IsDeclarationFile(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".json" || ext == ".zv8" || ext == ".zv7" || ext == ".zv6" || ext == ".zv5" ||
           ext == ".zvl";
}

const char* OutcomeWord(int status) {
    return status == kDone ? "готово" : status == kProblem ? "отказ" : "сбой";
}

const char* OutcomeKey(int status) {
    return status == kDone ? "done" : status == kProblem ? "problem" : "failed";
}

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

FileOutcome RunGuarded(const FileJob& job, const std::string& input) {
    try {
        return job(input);
    } catch (const std::exception& e) {
        FileOutcome failed;
        failed.status = kFailed;
        failed.message = e.what();
        return failed;
    }
}

// Draws "[#####.....] 12/100" over itself on a terminal.
class ProgressBar {
  public:
    ProgressBar(std::ostream& err, size_t total)
        : err_(err), total_(total), on_(&err == &std::cerr && ::isatty(STDERR_FILENO)) {}
    void Show(size_t done) {
        if (!on_) return;
        constexpr size_t kWidth = 30;
        const size_t filled = total_ ? done * kWidth / total_ : kWidth;
        err_ << '\r' << '[' << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
             << done << '/' << total_ << std::flush;
    }
    void Clear() {
        if (on_) err_ << '\r' << std::string(48, ' ') << '\r' << std::flush;
    }

  private:
    std::ostream& err_;
    size_t total_;
    bool on_;
};

// A folder of declarations; a folder named like a declaration file is taken
// for a file, and the reading tells the user what it is.
bool IsInputFolder(const std::string& input) {
    std::error_code ec;
    return std::filesystem::is_directory(input, ec) && !IsDeclarationFile(input);
}

}  // namespace

bool BatchArguments::IsBatch() const {
    if (given || inputs.size() > 1) return true;
    return !inputs.empty() && IsInputFolder(inputs.front());
}

BatchArguments TakeBatchOptions(std::vector<std::string>& args) {
    BatchArguments batch;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--json") {
            batch.json = batch.given = true;
        } else if (arg == "-j") {
            if (i + 1 >= args.size()) throw CommandError("-j требует числа потоков.");
            const std::string& value = args[++i];
            unsigned jobs = 0;
            for (char c : value) {
                if (c < '0' || c > '9' || jobs > 10000) {
                    jobs = 0;
                    break;
                }
                jobs = jobs * 10 + unsigned(c - '0');
            }
            if (jobs == 0 || jobs > 1024)
                throw CommandError("-j " + value + ": укажите число потоков от 1 до 1024.");
            batch.jobs = jobs;
            batch.given = true;
        } else {
            rest.push_back(arg);
        }
    }
    args = std::move(rest);
    return batch;
}

std::vector<std::string> ExpandInputs(const std::vector<std::string>& inputs) {
    std::vector<std::string> files;
    for (const std::string& input : inputs) {
        std::error_code ec;
        if (!IsInputFolder(input)) {
            files.push_back(input);
            continue;
        }
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(input, ec))
            if (entry.is_regular_file(ec) && IsDeclarationFile(entry.path()))
                found.push_back(entry.path().string());
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

int RunBatch(const BatchArguments& arguments, const FileJob& job, std::ostream& out,
             std::ostream& err) {
    const std::vector<std::string> files = ExpandInputs(arguments.inputs);
    if (files.empty()) throw CommandError("Не найдено ни одного файла декларации.");
    std::vector<FileOutcome> outcomes(files.size());

    // The jobs, on every core unless told otherwise.
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned threads =
        unsigned(std::min<size_t>(arguments.jobs ? arguments.jobs : cores, files.size()));
    std::atomic<size_t> next{0}, done{0};
    std::mutex mutex;
    std::condition_variable progressed;
    auto work = [&] {
        for (size_t i = next++; i < files.size(); i = next++) {
            outcomes[i] = RunGuarded(job, files[i]);
            ++done;
            progressed.notify_one();
        }
    };
    ProgressBar bar(err, files.size());
    {
        std::vector<std::jthread> pool;
        for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
        if (threads <= 1) {
            work();
        } else {
            std::unique_lock lock(mutex);
            while (done < files.size()) {
                bar.Show(done);
                progressed.wait_for(lock, std::chrono::milliseconds(100));
            }
        }
    }
    bar.Show(files.size());
    bar.Clear();

    // Two files that would be written under one name: neither is written.
    std::map<std::string, std::vector<size_t>> owners;
    for (size_t i = 0; i < files.size(); ++i)
        for (const PlannedFile& f : outcomes[i].files)
            owners[std::filesystem::weakly_canonical(f.path).string()].push_back(i);
    for (const auto& [path, who] : owners) {
        if (who.size() < 2) continue;
        for (size_t i : who) {
            std::string others;
            for (size_t j : who)
                if (j != i) others += (others.empty() ? "" : ", ") + files[j];
            outcomes[i].status = kFailed;
            outcomes[i].message = "Файл " + path + " получился бы и из " + others +
                                  ". Ничего не записано; запишите их в разные папки.";
        }
    }
    // Writing mostly waits for the disk to confirm: many writers at once let
    // the waits overlap.
    auto write = [&outcomes](size_t i) {
        FileOutcome& o = outcomes[i];
        if (o.status == kFailed) {
            o.files.clear();
            return;
        }
        for (const PlannedFile& f : o.files) {
            try {
                WriteFileAtomically(f.path, f.bytes.data(), f.bytes.size());
            } catch (const std::exception& e) {
                o.status = kFailed;
                o.message = e.what();
                o.files.clear();
                return;
            }
        }
    };
    {
        constexpr size_t kWriters = 16;
        std::atomic<size_t> nextWrite{0};
        std::vector<std::jthread> writers;
        for (size_t t = 0; t < std::min(kWriters, files.size()); ++t)
            writers.emplace_back([&] {
                for (size_t i = nextWrite++; i < files.size(); i = nextWrite++) write(i);
            });
    }

    int worst = kDone;
    size_t counts[3] = {0, 0, 0};
    for (size_t i = 0; i < files.size(); ++i) {
        const FileOutcome& o = outcomes[i];
        worst = std::max(worst, o.status);
        ++counts[std::clamp(o.status, 0, 2)];
        std::string output;
        for (const PlannedFile& f : o.files) output += (output.empty() ? "" : " ") + f.path;
        if (arguments.json) {
            Json line = {{"file", files[i]},
                         {"status", o.status},
                         {"outcome", OutcomeKey(o.status)},
                         {"message", OneLine(o.message)},
                         {"output", output}};
            out << line.dump() << '\n';
        } else {
            out << files[i] << '\t' << OutcomeWord(o.status) << '\t'
                << (o.status == kDone && !output.empty() ? output : OneLine(o.message)) << '\n';
        }
    }
    if (arguments.json) {
        out << Json({{"summary",
                      {{"files", files.size()},
                       {"done", counts[0]},
                       {"problem", counts[1]},
                       {"failed", counts[2]},
                       {"status", worst}}}})
                   .dump()
            << '\n';
    } else {
        out << "Итого: файлов " << files.size() << ", готово " << counts[0] << ", отказ "
            << counts[1] << ", сбой " << counts[2] << '\n';
    }
    return worst;
}

}  // namespace zorv::cli
