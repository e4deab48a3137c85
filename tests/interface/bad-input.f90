! Bad input through the Fortran modules: the operations stay silent, and the status
! query says what was wrong; nothing crashes.
program bad_input
  use, intrinsic :: ieee_arithmetic, only: ieee_value, ieee_quiet_nan
  use curvist
  implicit none
  real(8) :: x(4, 2), y(4, 2), short(3, 2), none(4, 0), not_a_number(4, 2)
  real(4) :: x32(12), y32(10)
  real(8) :: low = 0, high = 1
  character(len=8) :: caption = 'cm\u-1\d', captions(2) = ' '
  type(curvist_platform) :: offscreen
  integer :: failures = 0

  x = reshape([0d0, 1d0, 2d0, 3d0, 0d0, 1d0, 2d0, 3d0], [4, 2])
  y = reshape([1d0, 0d0, 1d0, 0d0, 2d0, 3d0, 2d0, 3d0], [4, 2])
  short = 1
  x32 = 1
  y32 = 2
  not_a_number = ieee_value(1d0, ieee_quiet_nan)
  offscreen = choose_platform(OFFSCREEN=.true.)

  call PLOTDP(x, short, OWNWINDOW=.true.)
  call expect('mismatched matrices', CURVIST_BAD_ARGUMENTS, 'X is 4 by 2 and Y 3 by 2')
  call PGPLOTLISTSP(x32, y32, NCURVES=2)
  call expect('mismatched lists', CURVIST_BAD_ARGUMENTS, 'X is 12 and Y 10')
  call PGPLOTDP(none, none)
  call expect('zero curves', CURVIST_BAD_ARGUMENTS, 'there are no curves')
  call PLOTLISTDP(x(:, 1), y(:, 1), NCURVES=0, OWNWINDOW=.true.)
  call expect('NCURVES 0', CURVIST_BAD_ARGUMENTS, 'NCURVES is 0')
  call PLOTDP(not_a_number, y, OWNWINDOW=.true.)
  call expect('NaN limits', CURVIST_NOT_PLOTTED, 'no x value is finite')
  call PGPLOTDP(x, y, FILENAME='no-such-folder/a.ps   ')
  call expect('unwritable file', CURVIST_PICTURE_NOT_WRITTEN, &
              'cannot write the picture no-such-folder/a.ps: No such file or directory')
  call LOADPLOT('missing.dat     ')
  call expect('missing data file', CURVIST_NOT_PLOTTED, 'missing.dat: no such file')
  call PREPARESCREEN(high, low, low, high, .true., .false., .false., 0, caption, captions(1), &
                     captions(2), .true., .false.)
  call expect('falling limits', CURVIST_BAD_ARGUMENTS, 'the x limits, 1 to 0, fall')
  call PREPARESCREEN(0.0, 1.0, 0.0, real(not_a_number(1, 1), 4), .true., .false., .false., &
                     'x', 'y', 'frame', 'frame.ps', 'ps')
  call expect('NaN picture limits', CURVIST_NOT_PLOTTED, 'the y limits, 0 to nan')
  call KILLSCREEN('frame.ps')
  call expect('no picture to end', CURVIST_PICTURE_NOT_WRITTEN, 'without an open picture')
  call PGPLOTDP(x(2:4:2, :), y(2:4:2, :), FILENAME='sections.ps')
  call expect('array sections', CURVIST_OK, '')
  call PURGE(caption)
  call expect('a caption cleaned in place', CURVIST_OK, '')
  if (caption /= 'cm-1') then
    write (*, '(2a)') 'PURGE gave ', caption
    failures = failures + 1
  end if
  call end_platform(offscreen)
  if (failures > 0) error stop 1

contains

  subroutine expect(what, status, reason)
    character(len=*), intent(in) :: what, reason
    integer, intent(in) :: status
    if (curvist_status() == status .and. index(curvist_error(), reason) > 0) return
    write (*, '(a, ": status ", i0, ": ", a)') what, curvist_status(), curvist_error()
    failures = failures + 1
  end subroutine

end program bad_input
