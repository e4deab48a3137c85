! The curves of the languages' identity test (SameCurves.cmake), through the Fortran
! modules, as a program written against them calls them.
program same_curves
  use curvist, only: choose_platform, end_platform, curvist_platform, write_window_png
  use PLOTPACK
  use PGPLOTPACK
  implicit none
  integer, parameter :: points = 50
  real(8) :: x(points, 2), y(points, 2)
  type(curvist_platform) :: offscreen
  real(8) :: xmin = -1, xmax = 1.1d0, ymin = -3, ymax = 8
  character(len=120) :: xcaption = 't \u2\d (s)', ycaption = 'amplitude (µV)', title = ' '
  integer :: i, captions

  do i = 0, points - 1
    x(i + 1, :) = i * 0.25d0
    y(i + 1, 1) = mod(i * i * 7, 23) * 0.5d0 - 3d0
    y(i + 1, 2) = mod(i * 5, 17) * 0.25d0
  end do

  offscreen = choose_platform(OFFSCREEN=.true.)
  call PLOTDP(x, y, RESOLUTION=0, XLABEL='t (s)', YLABEL='amplitude (µV)      ', &
              TITLE='Same curves', OWNWINDOW=.true.)
  call check()
  call PLOTSP(real(x, 4), real(y, 4), JOIN=.false., RESOLUTION=0, XLABEL='t (s)', &
              YLABEL='amplitude (µV)', TITLE='Same curves', OWNWINDOW=.true.)
  call check()
  call PGPLOTDP(x, y, XLABEL='t (s)', YLABEL='amplitude (µV)', TITLE='Same curves', &
                FILENAME='matrix-dp.ps')
  call check()
  call PGPLOTSP(real(x, 4), real(y, 4), JOIN=.false., XLABEL='t (s)', &
                YLABEL='amplitude (µV)', TITLE='Same curves', FILENAME='matrix-sp.ps')
  call check()

  ! Each module's PREPARESCREEN and KILLSCREEN, under the names both modules give them.
  call PREPARESCREEN(0.0, 12.25, -1.0, 2.0, .true., .false., .true., 't (s)', &
                     'amplitude (µV)', 'Same frame', 'frame.ps', 'ps')
  call check()
  call KILLSCREEN('frame.ps')
  call check()
  call PREPARESCREEN(xmin, xmax, ymin, ymax, .true., .true., .false., 0, xcaption, ycaption, &
                     title, .true., .false.)
  call check()
  call KILLSCREEN(.true.)
  call check()
  open (newunit=captions, file='captions.txt', status='replace', action='write')
  write (captions, '(a)') trim(xcaption), trim(ycaption), trim(title)
  close (captions)

  call write_window_png(101, 'window-dp.png')
  call check()
  call write_window_png(102, 'window-sp.png')
  call check()
  call write_window_png(103, 'frame.png')
  call check()
  call end_platform(offscreen)
  call check()

contains

  subroutine check()
    if (curvist_status() == CURVIST_OK) return
    write (*, '(a)') curvist_error()
    error stop 1
  end subroutine

end program same_curves
