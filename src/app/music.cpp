#include "app/music.h"

#include "app/screen_state.h"
#include "common/globals.h"
#include "engine/audio/audio.h"

namespace {

bool Plays(const ChannelRef& channel) {
  return channel && channel->Playing() == 1;
}

// Keeps `wanted` playing and `other` quiet. A paused channel does not count as playing, so coming back
// to a group starts its music again from the beginning.
void Switch(const ChannelRef& wanted, const SoundRef& music, const ChannelRef& other) {
  if (Plays(other)) PauseChannel(other);
  if (!Plays(wanted) && music && wanted) PlaySound(music, wanted);
}

}  // namespace

int UpdateMusic() {
  switch (gGameState) {
    case kStateCredits:
    case kStateMenu:
      Switch(gMenuMusicChannel, gMenuMusic, gGameMusicChannel);
      break;
    case kStatePlay:
    case kStateTutorial:
      Switch(gGameMusicChannel, gGameMusic, gMenuMusicChannel);
      break;
    default:
      break;
  }
  return 0;
}

int StopMusic() {
  if (gMenuMusicChannel) StopChannel(gMenuMusicChannel);
  if (gGameMusicChannel) StopChannel(gGameMusicChannel);
  return 0;
}
