// Stands in for the browser and the mail program in the end-to-end tests: registered as the opener
// of http, https and mailto links, it appends each address it is given to a log file, one per line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* log = std::getenv("CATALOG_URL_LOG");
    std::string path = log && *log ? log : "C:\\catalog-urls.log";
    FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) return 1;
    for (int i = 1; i < argc; ++i) std::fprintf(file, "%s\n", argv[i]);
    std::fclose(file);
    return 0;
}
