! Module PGPLOTPACK: curves drawn into a picture file through PGPLOT, as the module of
! that name offered them.
module PGPLOTPACK
  use curvist, only: PGPLOTDP, PGPLOTSP, PGPLOTLISTDP, PGPLOTLISTSP, unwritten_pictures, &
                     curvist_status, curvist_error, CURVIST_OK, CURVIST_BAD_ARGUMENTS, &
                     CURVIST_NOT_PLOTTED, CURVIST_PICTURE_NOT_WRITTEN, CURVIST_FAILED
  implicit none
end module PGPLOTPACK
