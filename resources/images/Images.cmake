# The images every language module carries, and the built-in fallback too:
# icon 2, the program icon, and bitmap 2, one pictogram per toolbar button in
# button order (see kToolbarButtons). All are SVG; README.md beside this file
# tells where each comes from and under which licence.

set(ZAX_TOOLBAR_IMAGES
  add-mailbox change-mailbox
  auto-attendant lines caller-id
  group-lists
  fax
  networking amis-networking blocking-periods digital-networking sites
  system-parameters class-of-service operator dialing-translation centrex language
  help)

# Sets <files> to the image files and <aliases> to their names inside a
# module, pairwise: icon2.svg, then bitmap2/00.svg, bitmap2/01.svg, ...
function(zax_module_images files aliases)
  set(dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(f ${dir}/icon2.svg)
  set(a icon2.svg)
  set(n 0)
  foreach(name IN LISTS ZAX_TOOLBAR_IMAGES)
    set(nn ${n})
    if(n LESS 10)
      set(nn "0${n}")
    endif()
    list(APPEND f ${dir}/toolbar/${name}.svg)
    list(APPEND a bitmap2/${nn}.svg)
    math(EXPR n "${n} + 1")
  endforeach()
  set(${files} ${f} PARENT_SCOPE)
  set(${aliases} ${a} PARENT_SCOPE)
endfunction()
