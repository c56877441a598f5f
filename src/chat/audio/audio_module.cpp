#include "audio_sink_output.h"

// The module's entry point, looked up by name at the first sound so that Qt
// Multimedia and the sound system's libraries stay out of the program's start-up.
// The caller owns the output and deletes it on the thread that made it.
extern "C" Q_DECL_EXPORT SoundOutput* gd_audio_create_output()
{
    return new AudioSinkOutput;
}
