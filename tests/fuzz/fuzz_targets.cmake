# One fuzz target per reader of outside input; each has a seed corpus in corpus/<target>/ and
# may have crash inputs kept in regressions/<target>/.
set(FUZZ_TARGETS
  resource_package_walk   # package/package_walk: the resource form
  appended_package_walk   # package/package_walk: trailer, header and entries of the appended form
  inflate_entry           # package/inflate_entry
  pe_headers              # package/pe_headers, and mkpackage's removal of a stub's signature
  pe_resources            # tools/mkpackage/pe_resources
  mkpackage_read          # tools/mkpackage: container, entry names, stream check
  wizard_texts            # texts/wizard_text_parser
  model_catalogue         # texts/model_table: the catalogue parser and the lookups
  utf16_text              # texts/utf16_text: bounded copies and the line reader
  driver_characterization # components/driver/common/characterization: the driver's model file
  portmon_network_address # components/portmon/network_address: a network printer's "IP" value
  usb_device_path)        # spooler/usb_device_path: USB id and device instance of a device path
