"""dyadlist-cluster: Dyadlist's comparison of two lists, run on a Dask cluster.

The client plans the work and Dask runs it as tasks: blocks of both lists are split into
lines and dealt to partitions by hash (blocks.py), each partition is compared on its own
(kernel.py, engine.py), and each block's entries are put back in order and written
(outputs.py). The work inside a task is done by dyadlist-cluster-kernel, over Dyadlist's own
core (see cluster/kernel/KernelMain.cpp for why a child process).
"""
