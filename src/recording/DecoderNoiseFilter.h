// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the MP3 decoder's chatter off the terminal. The decoder underneath
// the sound-file library writes notes straight to standard error ("Note:
// Illegal Audio-MPEG-Header ...", "Warning: Xing stream size ...") and offers
// no way to silence it; the program says in one line of its own what went
// wrong. While any `DecoderNoiseFilter` lives, standard error runs through a
// pipe whose lines are passed on unless they are the decoder's, so messages
// of other threads meanwhile still reach the terminal.

namespace rp {

class DecoderNoiseFilter {
 public:
  DecoderNoiseFilter();
  // The last one gone: standard error is as it was, every line passed on.
  ~DecoderNoiseFilter();
  DecoderNoiseFilter(const DecoderNoiseFilter&) = delete;
  DecoderNoiseFilter& operator=(const DecoderNoiseFilter&) = delete;
};

}  // namespace rp
