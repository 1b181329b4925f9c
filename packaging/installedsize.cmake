# SPDX-FileCopyrightText: 2026 The Thwackle developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by CPack once the package is made. CPack counts into Installed-Size
# what each folder takes on the disk it stages them on: 4 KiB on ext4, next
# to nothing on tmpfs. So the same source would give another control file on
# another file system. This sets it as dpkg-gencontrol does, from the
# package's own listing: each file's size in KiB, rounded up, and 1 KiB for
# anything else; and puts the mended control archive in the package's place.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND dpkg-deb --contents ${deb} OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "[^\n]+" entries "${listing}")
  set(kib 0)
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^-[^ ]* +[^ ]+ +([0-9]+) ")
      math(EXPR kib "${kib} + (${CMAKE_MATCH_1} + 1023) / 1024")
    else()
      math(EXPR kib "${kib} + 1")
    endif()
  endforeach()

  set(work ${deb}.control)
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work}/tree)
  execute_process(COMMAND ar x ${deb} control.tar.gz WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND tar -xzf ../control.tar.gz WORKING_DIRECTORY ${work}/tree COMMAND_ERROR_IS_FATAL ANY)
  file(READ ${work}/tree/control control)
  string(REGEX REPLACE "\nInstalled-Size: [0-9]+" "\nInstalled-Size: ${kib}" control "${control}")
  file(WRITE ${work}/tree/control "${control}")
  set(stamp "")
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(stamp --mtime=@$ENV{SOURCE_DATE_EPOCH})
  endif()
  execute_process(COMMAND tar --sort=name ${stamp} --owner=0 --group=0 --numeric-owner -cf - .
                  COMMAND gzip -9n OUTPUT_FILE ${work}/control.tar.gz
                  WORKING_DIRECTORY ${work}/tree COMMAND_ERROR_IS_FATAL ANY)
  # In place, so the members keep their order; D: no time or owner in the
  # member's header.
  execute_process(COMMAND ar rD ${deb} control.tar.gz WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${work})
endforeach()
