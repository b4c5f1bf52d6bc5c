#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage : etat <commande> ...\n", stderr);
        return 1;
    }
    std::fprintf(stderr, "etat : commande inconnue « %s »\n", argv[1]);
    return 1;
}
