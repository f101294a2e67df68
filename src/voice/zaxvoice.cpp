// zaxvoice IN OUT: converts voice files for preparing prompts in bulk.
#include "voice/VoiceCommand.h"

int main(int argc, char** argv) {
    return voice::RunVoiceCommand(argc, argv);
}
