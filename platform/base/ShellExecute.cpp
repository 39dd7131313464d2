#include "platform/base/ShellExecute.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr INT_PTR kSuccess = 33;

HINSTANCE Result(INT_PTR code) {
    return reinterpret_cast<HINSTANCE>(code);
}

bool FolderExists(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return true;
    struct stat info {};
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

INT_PTR CheckFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        if (errno == EACCES)
            return SE_ERR_ACCESSDENIED;
        return FolderExists(path) ? SE_ERR_FNF : SE_ERR_PNF;
    }
    if (!S_ISREG(info.st_mode) || (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) == 0)
        return SE_ERR_NOASSOC;
    if (access(path.c_str(), X_OK) != 0)
        return SE_ERR_ACCESSDENIED;
    return kSuccess;
}

}  // namespace

HINSTANCE ShellExecute(HWND hwnd, LPCTSTR verb, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory,
                       int show) {
    (void)hwnd;
    (void)show;
    if (verb != nullptr && *verb != '\0' && std::strcmp(verb, "open") != 0)
        return Result(SE_ERR_NOASSOC);
    if (file == nullptr || *file == '\0')
        return Result(SE_ERR_FNF);
    std::string path = file;
    // A relative name is found from the working folder the program will run in.
    if (path[0] != '/' && directory != nullptr && *directory != '\0')
        path = std::string(directory) + "/" + path;
    const INT_PTR check = CheckFile(path);
    if (check != kSuccess)
        return Result(check);

    std::vector<std::string> args{path};
    std::istringstream words(parameters != nullptr ? parameters : "");
    for (std::string word; words >> word;)
        args.push_back(word);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    if (directory != nullptr && *directory != '\0')
        posix_spawn_file_actions_addchdir_np(&actions, directory);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    const int error =
        posix_spawn(&child, path.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return Result(error == EACCES   ? SE_ERR_ACCESSDENIED
                      : error == ENOENT ? SE_ERR_FNF
                                        : SE_ERR_OOM);
    // Nobody waits for the program; the reaper collects it when it ends.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return Result(kSuccess);
}
