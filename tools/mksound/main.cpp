// mksound: synthesises the program's two sounds at build time, so that the
// repository holds only their recipe.
//
//     mksound S0_WAV KELVRA_WAV

#include "pieces.h"
#include "wavfile.h"

#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: mksound S0_WAV KELVRA_WAV\n";
        return 2;
    }
    const struct {
        const char *path;
        mksound::Stereo (*render)();
    } outputs[] = {{argv[1], mksound::startupChime}, {argv[2], mksound::nightPiece}};
    for (const auto &output : outputs) {
        if (!mksound::writeWav(output.path, output.render())) {
            std::cerr << "mksound: cannot write " << output.path << '\n';
            return 1;
        }
    }
    return 0;
}
