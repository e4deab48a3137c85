! Curvist for Fortran programs: the operations of the plotting modules under their own
! names, with their optional keyword arguments, over the library's C interface
! (<curvist/curvist.h>). The modules LOADPLOTPACK, PGPLOTPACK and PLOTPACK offer them
! as the modules of those names did.
!
! The operations stay silent, as the modules are: CURVIST_STATUS() says what became of
! the last one (CURVIST_OK, or why nothing was drawn or no picture written, in words by
! CURVIST_ERROR()). X and Y must have the same shape.
!
! Both plotting modules have a PREPARESCREEN and a KILLSCREEN of their own. Here each
! name is one generic for the two, told apart by the arguments (64-bit limits on screen,
! 32-bit ones in a picture; OWNWINDOW or a file name); PLOT_PREPARESCREEN,
! PLOT_KILLSCREEN, PGPLOT_PREPARESCREEN and PGPLOT_KILLSCREEN name each alone. PLOTPACK
! and PGPLOTPACK offer their own under the plain names, so a program that uses both
! modules calls either.
module curvist
  use, intrinsic :: iso_c_binding
  implicit none
  private

  public :: PLOTDP, PLOTSP, PLOTLISTDP, PLOTLISTSP, window_counter
  public :: PGPLOTDP, PGPLOTSP, PGPLOTLISTDP, PGPLOTLISTSP, unwritten_pictures
  public :: LOADPLOT
  public :: curvist_platform, choose_platform, end_platform, keep_windows_until_closed
  public :: write_window_png, remove_temporary_files_on_interrupt
  public :: curvist_status, curvist_error
  public :: PREPARESCREEN, KILLSCREEN, PURGE
  public :: PLOT_PREPARESCREEN, PLOT_KILLSCREEN, PGPLOT_PREPARESCREEN, PGPLOT_KILLSCREEN

  interface PREPARESCREEN
    module procedure PLOT_PREPARESCREEN, PGPLOT_PREPARESCREEN
  end interface

  interface KILLSCREEN
    module procedure PLOT_KILLSCREEN, PGPLOT_KILLSCREEN
  end interface

  integer, parameter, public :: CURVIST_OK = 0, CURVIST_BAD_ARGUMENTS = 1, &
                                CURVIST_NOT_PLOTTED = 2, CURVIST_PICTURE_NOT_WRITTEN = 3, &
                                CURVIST_FAILED = 4

  ! A platform chosen by choose_platform, until end_platform.
  type :: curvist_platform
    private
    type(c_ptr) :: handle = c_null_ptr
  end type

  ! CURVIST_DEFAULT of the C interface: the option is absent.
  integer(c_int), parameter :: absent = -huge(0_c_int) - 1_c_int

  ! The option structures of the C interface, field for field.
  type, bind(c) :: screen_options
    integer(c_size_t) :: size
    integer(c_int) :: JOIN, LOGX, LOGY, RESOLUTION
    type(c_ptr) :: XLABEL, YLABEL, TITLE
    integer(c_int) :: OWNWINDOW, REUSEWINDOW
  end type

  type, bind(c) :: screen_list_options
    integer(c_size_t) :: size
    integer(c_int) :: JOIN, LOGX, LOGY, RESOLUTION
    type(c_ptr) :: XLABEL, YLABEL, TITLE
    integer(c_int) :: OWNWINDOW, REUSEWINDOW, NCURVES
  end type

  type, bind(c) :: picture_options
    integer(c_size_t) :: size
    integer(c_int) :: JOIN, LOGX, LOGY
    type(c_ptr) :: XLABEL, YLABEL, TITLE, FILENAME, DEVICE
  end type

  type, bind(c) :: picture_list_options
    integer(c_size_t) :: size
    integer(c_int) :: JOIN, LOGX, LOGY
    type(c_ptr) :: XLABEL, YLABEL, TITLE, FILENAME
    integer(c_int) :: NCURVES
    type(c_ptr) :: DEVICE
  end type

  type, bind(c) :: load_options
    integer(c_size_t) :: size
    type(c_ptr) :: DEVICE
  end type

  ! NUL-terminated copies of a call's texts, for as long as the call lasts.
  type :: held_texts
    character(kind=c_char, len=:), allocatable :: xlabel, ylabel, title, filename, device
  end type

  integer, save :: last_status = CURVIST_OK
  character(len=:), allocatable, save :: last_error

  interface
    integer(c_int) function c_plotdp(x, y, points, curves, options) bind(c, name='curvist_plotdp')
      import :: c_int, c_double, c_size_t, screen_options
      real(c_double), intent(in) :: x(*), y(*)
      integer(c_size_t), value :: points, curves
      type(screen_options), intent(in) :: options
    end function
    integer(c_int) function c_plotsp(x, y, points, curves, options) bind(c, name='curvist_plotsp')
      import :: c_int, c_float, c_size_t, screen_options
      real(c_float), intent(in) :: x(*), y(*)
      integer(c_size_t), value :: points, curves
      type(screen_options), intent(in) :: options
    end function
    integer(c_int) function c_plotlistdp(x, y, count, options) bind(c, name='curvist_plotlistdp')
      import :: c_int, c_double, c_size_t, screen_list_options
      real(c_double), intent(in) :: x(*), y(*)
      integer(c_size_t), value :: count
      type(screen_list_options), intent(in) :: options
    end function
    integer(c_int) function c_plotlistsp(x, y, count, options) bind(c, name='curvist_plotlistsp')
      import :: c_int, c_float, c_size_t, screen_list_options
      real(c_float), intent(in) :: x(*), y(*)
      integer(c_size_t), value :: count
      type(screen_list_options), intent(in) :: options
    end function
    integer(c_int) function c_pgplotdp(x, y, points, curves, options) &
        bind(c, name='curvist_pgplotdp')
      import :: c_int, c_double, c_size_t, picture_options
      real(c_double), intent(in) :: x(*), y(*)
      integer(c_size_t), value :: points, curves
      type(picture_options), intent(in) :: options
    end function
    integer(c_int) function c_pgplotsp(x, y, points, curves, options) &
        bind(c, name='curvist_pgplotsp')
      import :: c_int, c_float, c_size_t, picture_options
      real(c_float), intent(in) :: x(*), y(*)
      integer(c_size_t), value :: points, curves
      type(picture_options), intent(in) :: options
    end function
    integer(c_int) function c_pgplotlistdp(x, y, count, options) &
        bind(c, name='curvist_pgplotlistdp')
      import :: c_int, c_double, c_size_t, picture_list_options
      real(c_double), intent(in) :: x(*), y(*)
      integer(c_size_t), value :: count
      type(picture_list_options), intent(in) :: options
    end function
    integer(c_int) function c_pgplotlistsp(x, y, count, options) &
        bind(c, name='curvist_pgplotlistsp')
      import :: c_int, c_float, c_size_t, picture_list_options
      real(c_float), intent(in) :: x(*), y(*)
      integer(c_size_t), value :: count
      type(picture_list_options), intent(in) :: options
    end function
    integer(c_int) function c_loadplot(name, options) bind(c, name='curvist_loadplot')
      import :: c_int, c_char, load_options
      character(kind=c_char), intent(in) :: name(*)
      type(load_options), intent(in) :: options
    end function
    integer(c_int) function c_plot_preparescreen(xmin, xmax, ymin, ymax, join, logx, logy, &
                                                 resolution, x_caption, x_caption_size, &
                                                 y_caption, y_caption_size, title, title_size, &
                                                 ownwindow, reusewindow) &
        bind(c, name='curvist_plot_preparescreen')
      import :: c_int, c_double, c_char, c_size_t
      real(c_double), intent(inout) :: xmin, xmax, ymin, ymax
      integer(c_int), value :: join, logx, logy, resolution, ownwindow, reusewindow
      character(kind=c_char), intent(inout) :: x_caption(*), y_caption(*), title(*)
      integer(c_size_t), value :: x_caption_size, y_caption_size, title_size
    end function
    integer(c_int) function c_plot_killscreen(ownwindow) bind(c, name='curvist_plot_killscreen')
      import :: c_int
      integer(c_int), value :: ownwindow
    end function
    integer(c_int) function c_purge(text) bind(c, name='curvist_purge')
      import :: c_int, c_char
      character(kind=c_char), intent(inout) :: text(*)
    end function
    integer(c_int) function c_pgplot_preparescreen(xmin, xmax, ymin, ymax, join, logx, logy, &
                                                   x_caption, y_caption, title, file_name, &
                                                   device_type) &
        bind(c, name='curvist_pgplot_preparescreen')
      import :: c_int, c_float, c_char
      real(c_float), value :: xmin, xmax, ymin, ymax
      integer(c_int), value :: join, logx, logy
      character(kind=c_char), intent(in) :: x_caption(*), y_caption(*), title(*), &
                                            file_name(*), device_type(*)
    end function
    integer(c_int) function c_pgplot_killscreen(file_name) bind(c, name='curvist_pgplot_killscreen')
      import :: c_int, c_char
      character(kind=c_char), intent(in) :: file_name(*)
    end function
    integer(c_int) function c_window_counter() bind(c, name='curvist_window_counter')
      import :: c_int
    end function
    integer(c_int) function c_unwritten_pictures() bind(c, name='curvist_unwritten_pictures')
      import :: c_int
    end function
    type(c_ptr) function c_choose_platform(windows, console) &
        bind(c, name='curvist_choose_platform')
      import :: c_ptr, c_int
      integer(c_int), value :: windows
      type(c_ptr), value :: console
    end function
    integer(c_int) function c_end_platform(platform) bind(c, name='curvist_end_platform')
      import :: c_int, c_ptr
      type(c_ptr), value :: platform
    end function
    integer(c_int) function c_keep_windows_until_closed() &
        bind(c, name='curvist_keep_windows_until_closed')
      import :: c_int
    end function
    integer(c_int) function c_write_window_png(unit, file_name) &
        bind(c, name='curvist_write_window_png')
      import :: c_int, c_char
      integer(c_int), value :: unit
      character(kind=c_char), intent(in) :: file_name(*)
    end function
    logical(c_bool) function c_remove_temporary_files_on_interrupt() &
        bind(c, name='curvist_remove_temporary_files_on_interrupt')
      import :: c_bool
    end function
    type(c_ptr) function c_last_error() bind(c, name='curvist_last_error')
      import :: c_ptr
    end function
    integer(c_size_t) function c_strlen(text) bind(c, name='strlen')
      import :: c_size_t, c_ptr
      type(c_ptr), value :: text
    end function
  end interface

contains

  ! What the last operation did: CURVIST_OK or the reason's kind.
  integer function curvist_status()
    curvist_status = last_status
  end function

  ! Why the last operation did not end with CURVIST_OK; blank when it did.
  function curvist_error() result(text)
    character(len=:), allocatable :: text
    text = ''
    if (allocated(last_error)) text = last_error
  end function

  ! Keeps what the C interface said of the call that returned `status`.
  subroutine note(status)
    integer(c_int), intent(in) :: status
    character(kind=c_char), pointer :: characters(:)
    type(c_ptr) :: text
    integer :: length, i
    last_status = status
    text = c_last_error()
    length = int(c_strlen(text))
    call c_f_pointer(text, characters, [length])
    last_error = repeat(' ', length)
    do i = 1, length
      last_error(i:i) = characters(i)
    end do
  end subroutine

  ! Keeps a fault found before the C interface was called.
  subroutine note_fault(text)
    character(len=*), intent(in) :: text
    last_status = CURVIST_BAD_ARGUMENTS
    last_error = text
  end subroutine

  ! True when X and Y differ in shape, which is then the last fault.
  logical function shapes_differ(x_shape, y_shape)
    integer, intent(in) :: x_shape(:), y_shape(:)
    character(len=24) :: x_text, y_text
    shapes_differ = any(x_shape /= y_shape)
    if (.not. shapes_differ) return
    if (size(x_shape) == 2) then
      write (x_text, '(i0, " by ", i0)') x_shape
      write (y_text, '(i0, " by ", i0)') y_shape
    else
      write (x_text, '(i0)') x_shape
      write (y_text, '(i0)') y_shape
    end if
    call note_fault('X is '//trim(x_text)//' and Y '//trim(y_text)// &
                    ': they must have the same shape')
  end function

  integer(c_int) function logical_option(value)
    logical, intent(in), optional :: value
    logical_option = absent
    if (present(value)) logical_option = merge(1_c_int, 0_c_int, value)
  end function

  integer(c_int) function integer_option(value)
    integer, intent(in), optional :: value
    integer_option = absent
    if (present(value)) integer_option = int(value, c_int)
  end function

  ! The text without its trailing blanks, NUL-terminated in `held`; null when absent.
  type(c_ptr) function text_option(text, held)
    character(len=*), intent(in), optional :: text
    character(kind=c_char, len=:), allocatable, target, intent(inout) :: held
    text_option = c_null_ptr
    if (.not. present(text)) return
    held = trim(text)//c_null_char
    text_option = c_loc(held)
  end function

  function screen_options_of(held, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, YLABEL, TITLE, &
                             OWNWINDOW, REUSEWINDOW) result(options)
    type(held_texts), target, intent(inout) :: held
    logical, intent(in), optional :: JOIN, LOGX, LOGY, OWNWINDOW, REUSEWINDOW
    integer, intent(in), optional :: RESOLUTION
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE
    type(screen_options) :: options
    options = screen_options(c_sizeof(options), logical_option(JOIN), logical_option(LOGX), &
                             logical_option(LOGY), integer_option(RESOLUTION), &
                             text_option(XLABEL, held%xlabel), text_option(YLABEL, held%ylabel), &
                             text_option(TITLE, held%title), logical_option(OWNWINDOW), &
                             logical_option(REUSEWINDOW))
  end function

  function screen_list_options_of(held, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, YLABEL, TITLE, &
                                  OWNWINDOW, REUSEWINDOW, NCURVES) result(options)
    type(held_texts), target, intent(inout) :: held
    logical, intent(in), optional :: JOIN, LOGX, LOGY, OWNWINDOW, REUSEWINDOW
    integer, intent(in), optional :: RESOLUTION, NCURVES
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE
    type(screen_list_options) :: options
    type(screen_options) :: matrix
    matrix = screen_options_of(held, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, YLABEL, TITLE, &
                               OWNWINDOW, REUSEWINDOW)
    options = screen_list_options(c_sizeof(options), matrix%JOIN, matrix%LOGX, matrix%LOGY, &
                                  matrix%RESOLUTION, matrix%XLABEL, matrix%YLABEL, matrix%TITLE, &
                                  matrix%OWNWINDOW, matrix%REUSEWINDOW, integer_option(NCURVES))
  end function

  function picture_options_of(held, JOIN, LOGX, LOGY, XLABEL, YLABEL, TITLE, FILENAME, &
                              DEVICE) result(options)
    type(held_texts), target, intent(inout) :: held
    logical, intent(in), optional :: JOIN, LOGX, LOGY
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE, FILENAME, DEVICE
    type(picture_options) :: options
    options = picture_options(c_sizeof(options), logical_option(JOIN), logical_option(LOGX), &
                              logical_option(LOGY), text_option(XLABEL, held%xlabel), &
                              text_option(YLABEL, held%ylabel), text_option(TITLE, held%title), &
                              text_option(FILENAME, held%filename), &
                              text_option(DEVICE, held%device))
  end function

  function picture_list_options_of(held, JOIN, LOGX, LOGY, XLABEL, YLABEL, TITLE, FILENAME, &
                                   NCURVES, DEVICE) result(options)
    type(held_texts), target, intent(inout) :: held
    logical, intent(in), optional :: JOIN, LOGX, LOGY
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE, FILENAME, DEVICE
    integer, intent(in), optional :: NCURVES
    type(picture_list_options) :: options
    type(picture_options) :: matrix
    matrix = picture_options_of(held, JOIN, LOGX, LOGY, XLABEL, YLABEL, TITLE, FILENAME, DEVICE)
    options = picture_list_options(c_sizeof(options), matrix%JOIN, matrix%LOGX, matrix%LOGY, &
                                   matrix%XLABEL, matrix%YLABEL, matrix%TITLE, matrix%FILENAME, &
                                   integer_option(NCURVES), matrix%DEVICE)
  end function

  subroutine PLOTDP(X, Y, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, YLABEL, TITLE, OWNWINDOW, &
                    REUSEWINDOW)
    real(c_double), intent(in) :: X(:, :), Y(:, :)
    logical, intent(in), optional :: JOIN, LOGX, LOGY, OWNWINDOW, REUSEWINDOW
    integer, intent(in), optional :: RESOLUTION
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE
    type(held_texts), target :: held
    if (shapes_differ(shape(X), shape(Y))) return
    call note(c_plotdp(X, Y, size(X, 1, c_size_t), size(X, 2, c_size_t), &
                       screen_options_of(held, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, YLABEL, &
                                         TITLE, OWNWINDOW, REUSEWINDOW)))
  end subroutine

  subroutine PLOTSP(X, Y, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, YLABEL, TITLE, OWNWINDOW, &
                    REUSEWINDOW)
    real(c_float), intent(in) :: X(:, :), Y(:, :)
    logical, intent(in), optional :: JOIN, LOGX, LOGY, OWNWINDOW, REUSEWINDOW
    integer, intent(in), optional :: RESOLUTION
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE
    type(held_texts), target :: held
    if (shapes_differ(shape(X), shape(Y))) return
    call note(c_plotsp(X, Y, size(X, 1, c_size_t), size(X, 2, c_size_t), &
                       screen_options_of(held, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, YLABEL, &
                                         TITLE, OWNWINDOW, REUSEWINDOW)))
  end subroutine

  subroutine PLOTLISTDP(X, Y, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, YLABEL, TITLE, OWNWINDOW, &
                        REUSEWINDOW, NCURVES)
    real(c_double), intent(in) :: X(:), Y(:)
    logical, intent(in), optional :: JOIN, LOGX, LOGY, OWNWINDOW, REUSEWINDOW
    integer, intent(in), optional :: RESOLUTION, NCURVES
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE
    type(held_texts), target :: held
    if (shapes_differ(shape(X), shape(Y))) return
    call note(c_plotlistdp(X, Y, size(X, kind=c_size_t), &
                           screen_list_options_of(held, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, &
                                                  YLABEL, TITLE, OWNWINDOW, REUSEWINDOW, &
                                                  NCURVES)))
  end subroutine

  subroutine PLOTLISTSP(X, Y, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, YLABEL, TITLE, OWNWINDOW, &
                        REUSEWINDOW, NCURVES)
    real(c_float), intent(in) :: X(:), Y(:)
    logical, intent(in), optional :: JOIN, LOGX, LOGY, OWNWINDOW, REUSEWINDOW
    integer, intent(in), optional :: RESOLUTION, NCURVES
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE
    type(held_texts), target :: held
    if (shapes_differ(shape(X), shape(Y))) return
    call note(c_plotlistsp(X, Y, size(X, kind=c_size_t), &
                           screen_list_options_of(held, JOIN, LOGX, LOGY, RESOLUTION, XLABEL, &
                                                  YLABEL, TITLE, OWNWINDOW, REUSEWINDOW, &
                                                  NCURVES)))
  end subroutine

  subroutine PGPLOTDP(X, Y, JOIN, LOGX, LOGY, XLABEL, YLABEL, TITLE, FILENAME, DEVICE)
    real(c_double), intent(in) :: X(:, :), Y(:, :)
    logical, intent(in), optional :: JOIN, LOGX, LOGY
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE, FILENAME, DEVICE
    type(held_texts), target :: held
    if (shapes_differ(shape(X), shape(Y))) return
    call note(c_pgplotdp(X, Y, size(X, 1, c_size_t), size(X, 2, c_size_t), &
                         picture_options_of(held, JOIN, LOGX, LOGY, XLABEL, YLABEL, TITLE, &
                                            FILENAME, DEVICE)))
  end subroutine

  subroutine PGPLOTSP(X, Y, JOIN, LOGX, LOGY, XLABEL, YLABEL, TITLE, FILENAME, DEVICE)
    real(c_float), intent(in) :: X(:, :), Y(:, :)
    logical, intent(in), optional :: JOIN, LOGX, LOGY
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE, FILENAME, DEVICE
    type(held_texts), target :: held
    if (shapes_differ(shape(X), shape(Y))) return
    call note(c_pgplotsp(X, Y, size(X, 1, c_size_t), size(X, 2, c_size_t), &
                         picture_options_of(held, JOIN, LOGX, LOGY, XLABEL, YLABEL, TITLE, &
                                            FILENAME, DEVICE)))
  end subroutine

  subroutine PGPLOTLISTDP(X, Y, JOIN, LOGX, LOGY, XLABEL, YLABEL, TITLE, FILENAME, NCURVES, &
                          DEVICE)
    real(c_double), intent(in) :: X(:), Y(:)
    logical, intent(in), optional :: JOIN, LOGX, LOGY
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE, FILENAME, DEVICE
    integer, intent(in), optional :: NCURVES
    type(held_texts), target :: held
    if (shapes_differ(shape(X), shape(Y))) return
    call note(c_pgplotlistdp(X, Y, size(X, kind=c_size_t), &
                             picture_list_options_of(held, JOIN, LOGX, LOGY, XLABEL, YLABEL, &
                                                     TITLE, FILENAME, NCURVES, DEVICE)))
  end subroutine

  subroutine PGPLOTLISTSP(X, Y, JOIN, LOGX, LOGY, XLABEL, YLABEL, TITLE, FILENAME, NCURVES, &
                          DEVICE)
    real(c_float), intent(in) :: X(:), Y(:)
    logical, intent(in), optional :: JOIN, LOGX, LOGY
    character(len=*), intent(in), optional :: XLABEL, YLABEL, TITLE, FILENAME, DEVICE
    integer, intent(in), optional :: NCURVES
    type(held_texts), target :: held
    if (shapes_differ(shape(X), shape(Y))) return
    call note(c_pgplotlistsp(X, Y, size(X, kind=c_size_t), &
                             picture_list_options_of(held, JOIN, LOGX, LOGY, XLABEL, YLABEL, &
                                                     TITLE, FILENAME, NCURVES, DEVICE)))
  end subroutine

  subroutine LOADPLOT(NAME, DEVICE)
    character(len=*), intent(in) :: NAME
    character(len=*), intent(in), optional :: DEVICE
    type(held_texts), target :: held
    call note(c_loadplot(trim(NAME)//c_null_char, &
                         load_options(c_sizeof(load_options(0, c_null_ptr)), &
                                      text_option(DEVICE, held%device))))
  end subroutine

  ! PREPARESCREEN of PLOTPACK: gets the window, lays the plot out over the limits (finite,
  ! the smaller first) and draws frame, axes, ticks, tick labels and captions. The
  ! captions are changed in place, as 120-character fields (cut to the variables' length).
  subroutine PLOT_PREPARESCREEN(XMIN, XMAX, YMIN, YMAX, JOIN, LOGX, LOGY, RESOLUTION, &
                                XCAPTION, YCAPTION, TITLE, OWNWINDOW, REUSEWINDOW)
    real(c_double), intent(inout) :: XMIN, XMAX, YMIN, YMAX
    logical, intent(in) :: JOIN, LOGX, LOGY, OWNWINDOW, REUSEWINDOW
    integer, intent(in) :: RESOLUTION
    character(len=*), intent(inout) :: XCAPTION, YCAPTION, TITLE
    character(kind=c_char, len=len(XCAPTION) + 1) :: x_held
    character(kind=c_char, len=len(YCAPTION) + 1) :: y_held
    character(kind=c_char, len=len(TITLE) + 1) :: title_held
    x_held = XCAPTION//c_null_char
    y_held = YCAPTION//c_null_char
    title_held = TITLE//c_null_char
    call note(c_plot_preparescreen(XMIN, XMAX, YMIN, YMAX, logical_option(JOIN), &
                                   logical_option(LOGX), logical_option(LOGY), &
                                   int(RESOLUTION, c_int), x_held, len(x_held, c_size_t), &
                                   y_held, len(y_held, c_size_t), title_held, &
                                   len(title_held, c_size_t), logical_option(OWNWINDOW), &
                                   logical_option(REUSEWINDOW)))
    if (last_status /= CURVIST_OK) return
    XCAPTION = before_null(x_held)
    YCAPTION = before_null(y_held)
    TITLE = before_null(title_held)
  end subroutine

  ! KILLSCREEN of PLOTPACK: leaves an own window open; otherwise waits for Enter and
  ! returns the window to text mode.
  subroutine PLOT_KILLSCREEN(OWNWINDOW)
    logical, intent(in) :: OWNWINDOW
    call note(c_plot_killscreen(logical_option(OWNWINDOW)))
  end subroutine

  ! Removes the escape pairs \u, \d and \g from the blank-padded TEXT, in place.
  subroutine PURGE(TEXT)
    character(len=*), intent(inout) :: TEXT
    character(kind=c_char, len=len(TEXT) + 1) :: held
    held = TEXT//c_null_char
    call note(c_purge(held))
    if (last_status == CURVIST_OK) TEXT = held(1:len(TEXT))
  end subroutine

  ! PREPARESCREEN of PGPLOTPACK: opens the picture FILENAME of the PGPLOT device type
  ! DEVICE, sets the world window to exactly the limits, draws frame and axes and writes
  ! the captions; the texts are taken as 80-character fields.
  subroutine PGPLOT_PREPARESCREEN(XMIN, XMAX, YMIN, YMAX, JOIN, LOGX, LOGY, XCAPTION, &
                                  YCAPTION, TITLE, FILENAME, DEVICE)
    real(c_float), intent(in) :: XMIN, XMAX, YMIN, YMAX
    logical, intent(in) :: JOIN, LOGX, LOGY
    character(len=*), intent(in) :: XCAPTION, YCAPTION, TITLE, FILENAME, DEVICE
    call note(c_pgplot_preparescreen(XMIN, XMAX, YMIN, YMAX, logical_option(JOIN), &
                                     logical_option(LOGX), logical_option(LOGY), &
                                     trim(XCAPTION)//c_null_char, trim(YCAPTION)//c_null_char, &
                                     trim(TITLE)//c_null_char, trim(FILENAME)//c_null_char, &
                                     trim(DEVICE)//c_null_char))
  end subroutine

  ! KILLSCREEN of PGPLOTPACK: ends the picture; CURVIST_STATUS() says whether it was
  ! written.
  subroutine PGPLOT_KILLSCREEN(FILENAME)
    character(len=*), intent(in) :: FILENAME
    call note(c_pgplot_killscreen(trim(FILENAME)//c_null_char))
  end subroutine

  ! The text the C interface gave back in `held`, up to its NUL.
  function before_null(held) result(text)
    character(kind=c_char, len=*), intent(in) :: held
    character(len=:), allocatable :: text
    text = held(1:index(held, c_null_char) - 1)
  end function

  ! The unit of the last window a screen plot opened; 100 before the first.
  integer function window_counter()
    window_counter = int(c_window_counter())
  end function

  ! How many pictures could not be written since the program began.
  integer function unwritten_pictures()
    unwritten_pictures = int(c_unwritten_pictures())
  end function

  ! Screen plots go to windows on the display (drawn offscreen where none can be
  ! reached), or with OFFSCREEN true are drawn offscreen and never shown, until
  ! end_platform; the windows are numbered from 101 again.
  function choose_platform(OFFSCREEN) result(platform)
    logical, intent(in), optional :: OFFSCREEN
    type(curvist_platform) :: platform
    integer(c_int) :: windows
    windows = 0
    if (present(OFFSCREEN)) windows = merge(1_c_int, 0_c_int, OFFSCREEN)
    platform%handle = c_choose_platform(windows, c_null_ptr)
    if (c_associated(platform%handle)) then
      call note(int(CURVIST_OK, c_int))
    else
      call note(int(CURVIST_FAILED, c_int))
    end if
  end function

  ! Ends the platform chosen last, and closes its windows.
  subroutine end_platform(platform)
    type(curvist_platform), intent(inout) :: platform
    call note(c_end_platform(platform%handle))
    if (last_status == CURVIST_OK) platform%handle = c_null_ptr
  end subroutine

  ! Keeps the plot windows shown until the user has closed them.
  subroutine keep_windows_until_closed()
    call note(c_keep_windows_until_closed())
  end subroutine

  ! Writes what the window of UNIT shows into the PNG file FILENAME.
  subroutine write_window_png(UNIT, FILENAME)
    integer, intent(in) :: UNIT
    character(len=*), intent(in) :: FILENAME
    call note(c_write_window_png(int(UNIT, c_int), trim(FILENAME)//c_null_char))
  end subroutine

  ! SIGINT, SIGTERM and SIGHUP remove the pictures being written before they end the
  ! program; true when all three are taken.
  logical function remove_temporary_files_on_interrupt()
    remove_temporary_files_on_interrupt = logical(c_remove_temporary_files_on_interrupt())
  end function

end module curvist
