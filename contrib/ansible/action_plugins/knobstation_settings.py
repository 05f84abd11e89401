# Copies the task's src from the controller to the managed host, then runs the module there on
# the copy.

import os

from ansible.errors import AnsibleError
from ansible.plugins.action import ActionBase


class ActionModule(ActionBase):
    TRANSFERS_FILES = True

    def run(self, tmp=None, task_vars=None):
        result = super().run(tmp, task_vars)
        del tmp
        arguments = self._task.args.copy()
        try:
            source = self._find_needle("files", arguments.get("src") or "")
        except AnsibleError as error:
            result.update(failed=True, msg="src: %s" % error)
            return result
        shell = self._connection._shell
        if shell.tmpdir is None:
            self._make_tmp_path()
        copy = shell.join_path(shell.tmpdir, os.path.basename(source))
        self._transfer_file(source, copy)
        self._fixup_perms2((shell.tmpdir, copy))
        arguments["src"] = copy
        try:
            result.update(self._execute_module(module_name="knobstation_settings", module_args=arguments,
                                               task_vars=task_vars))
        finally:
            self._remove_tmp_path(shell.tmpdir)
        return result
