#pragma once
// For a program's run over many files: while this lives, each picture is finished in the
// background while the program goes on with its next file. Its " Output in " line, or
// its error line, is written once the picture is finished, yet before any later line:
// the lines keep the order of a run that waits for every picture. The end of the scope
// waits for the pictures still being finished, so that unwritten_pictures() is final.

namespace curvist {

class Pgplot;

class PicturesInBackground {
 public:
  PicturesInBackground();
  ~PicturesInBackground();
  PicturesInBackground(const PicturesInBackground&) = delete;
  PicturesInBackground& operator=(const PicturesInBackground&) = delete;

 private:
  Pgplot& pgplot_;
};

}  // namespace curvist
