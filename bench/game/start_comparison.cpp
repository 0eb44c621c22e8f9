#include "start_comparison.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "frame_stats.h"
#include "game_files.h"
#include "phase_log.h"

extern char** environ;

namespace {

// Phases in the order first reported, each with its time in every run.
struct PhaseTimes {
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> times;
  std::vector<double> totals;

  double Median(const std::string& phase) const {
    auto found = times.find(phase);
    return found == times.end() ? -1 : Percentile(found->second, 0.5);
  }
};

std::string ProgramFolder() {
  std::vector<char> path(4096);
  ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  std::string program(path.data(), length > 0 ? size_t(length) : 0);
  return program.substr(0, program.rfind('/') + 1);
}

// Runs the program with the arguments and returns what it printed; empty when it failed.
std::string Run(const std::vector<std::string>& arguments) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, channel[0]);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(channel[1]);
  std::string output;
  char buffer[4096];
  for (ssize_t got; !failed && (got = read(channel[0], buffer, sizeof buffer)) > 0;)
    output.append(buffer, size_t(got));
  close(channel[0]);
  int status = 0;
  if (failed || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return {};
  }
  return output;
}

// Runs the program once, told when it was started, and adds its phases; false without any.
bool AddRun(std::vector<std::string> arguments, size_t startedAtPosition, PhaseTimes* phases) {
  arguments.insert(arguments.begin() + long(startedAtPosition), std::to_string(PhaseLog::Now()));
  std::istringstream lines(Run(arguments));
  double total = 0;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string tag, phase, milliseconds;
    if (!std::getline(fields, tag, '\t') || tag != "phase" || !std::getline(fields, phase, '\t') ||
        !std::getline(fields, milliseconds)) {
      continue;
    }
    if (!phases->times.count(phase)) phases->order.push_back(phase);
    phases->times[phase].push_back(std::stod(milliseconds));
    total += std::stod(milliseconds);
  }
  if (total == 0) return false;
  phases->totals.push_back(total);
  return true;
}

void PrintCell(double milliseconds) {
  if (milliseconds < 0) {
    std::printf(" %9s", "-");
  } else {
    std::printf(" %9.1f", milliseconds);
  }
}

}  // namespace

bool CompareStarts(int rounds) {
  std::string folder = ProgramFolder();
  std::vector<std::string> game = {folder + "game_bench", "--start"};
  std::vector<std::string> bare = {folder + "sdl_start_bench"};
  for (const GamePicture& picture : kGamePictures) bare.push_back(WithSlashes(picture.name));
  PhaseTimes ours, sdl;
  for (int round = 0; round < rounds; ++round) {
    if (!AddRun(game, 2, &ours) || !AddRun(bare, 1, &sdl)) {
      std::fprintf(stderr, "game_bench: a start could not be measured\n");
      return false;
    }
  }
  std::printf("\nstart to the first presented frame, median of %d runs each (ms)\n", rounds);
  std::printf("%-22s %9s %9s\n", "phase", "game", "bare SDL");
  for (const std::string& phase : ours.order) {
    std::printf("%-22s", phase.c_str());
    PrintCell(ours.Median(phase));
    PrintCell(sdl.Median(phase));
    std::printf("\n");
  }
  double ourTotal = Percentile(ours.totals, 0.5), sdlTotal = Percentile(sdl.totals, 0.5);
  std::printf("%-22s %9.1f %9.1f\n", "total", ourTotal, sdlTotal);
  double sounds = ours.Median("sounds"), level = ours.Median("font and level");
  double ourPictures = ours.Median("pictures"), sdlPictures = sdl.Median("pictures");
  std::printf("game less its sounds, font and level: %.1f ms (bare SDL %.1f ms)\n",
              ourTotal - sounds - level, sdlTotal);
  std::printf("start less its loaders: game %.1f ms, bare SDL %.1f ms\n",
              ourTotal - sounds - level - ourPictures, sdlTotal - sdlPictures);
  std::printf("pictures: game %.1f ms, bare SDL %.1f ms (SDL/game %.2f)\n", ourPictures,
              sdlPictures, sdlPictures / ourPictures);
  return true;
}
