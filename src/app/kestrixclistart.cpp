// The start of kestrix-cli: --version is answered here with nothing but the C library loaded;
// every other command line goes to the verbs' module (Qt, the picture and archive libraries),
// found beside this program in a build folder or in the library folder once installed.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char *ModuleName = "/libkestrix-cli-verbs.so";

std::string ownFolder()
{
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    const std::string self(path, size_t(n));
    return self.substr(0, self.rfind('/'));
}

int printVersion()
{
    std::printf("kestrix-cli %d.%d.%d\n", KESTRIX_VERSION_MAJOR, KESTRIX_VERSION_MINOR,
                KESTRIX_VERSION_PATCH);
    if (std::fflush(stdout) == 0)
        return 0;
    std::fprintf(stderr, "kestrix-cli: write error: %s\n", std::strerror(errno));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // A closed standard output is the module's to report, as for every verb.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0 && ::fcntl(1, F_GETFD) != -1)
        return printVersion();

    const std::string folder = ownFolder();
    void *module = nullptr;
    for (const std::string &at : {folder, folder + "/" KESTRIX_CLI_MODULE_FROM_BIN}) {
        module = ::dlopen((at + ModuleName).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module)
            break;
    }
    using Run = int (*)(int, char **);
    const auto run = module ? reinterpret_cast<Run>(::dlsym(module, "kestrixCliRun")) : nullptr;
    if (!run) {
        std::fprintf(stderr, "kestrix-cli: cannot load its verbs: %s\n", ::dlerror());
        return 1;
    }
    return run(argc, argv);
}
